// The launcher reads "Pelmora.cp" with the reader it shares with the thumbnail server.
#pragma once

#include "pelmora/ClassPathList.h"
