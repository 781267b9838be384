// The static methods of the thumbnail renderer class PelmoraThumb, as the test script makes them behave
// (PELMORA_TESTJVM_SCRIPT "render=" and "render-wait="). Both take (int, picture source, int x, int y) and
// return the picture as a byte[]; the log gets one "render variant=..." line per call and one
// "render result=..." line for its outcome.
#pragma once

namespace testjvm {

struct StaticInvocation;

// create(ILjava/lang/String;II)[B: the picture of the file at a path.
void renderFromPath(StaticInvocation& invocation);
// create(I[BII)[B: the picture of a file's bytes.
void renderFromBytes(StaticInvocation& invocation);

}  // namespace testjvm
