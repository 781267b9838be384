# JNI headers: the JDK's jni.h with a Windows jni_md.h of our own (common/include/jni).
find_path(PELMORA_JNI_INCLUDE_DIR jni.h
  HINTS ENV JAVA_HOME
  PATHS /usr/lib/jvm/java-17-openjdk-amd64 /usr/lib/jvm/default-java
  PATH_SUFFIXES include
  NO_CMAKE_FIND_ROOT_PATH)
if(NOT PELMORA_JNI_INCLUDE_DIR)
  message(FATAL_ERROR "jni.h not found: install a JDK (tools/setup) or set JAVA_HOME")
endif()

add_library(pelmora_jni INTERFACE)
# Our jni_md.h comes first: jni.h includes it with quotes, and the JDK's include folder has none of its own.
target_include_directories(pelmora_jni SYSTEM INTERFACE ${CMAKE_SOURCE_DIR}/common/include/jni ${PELMORA_JNI_INCLUDE_DIR})
