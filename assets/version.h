// The program's version and name, in one place: the resource script's version
// information and anything else that shows them read it from here.
#pragma once

#define LANTERN_VERSION_MAJOR 0
#define LANTERN_VERSION_MINOR 1
#define LANTERN_VERSION_PATCH 0

#define LANTERN_STRINGIFY_(x) #x
#define LANTERN_STRINGIFY(x) LANTERN_STRINGIFY_(x)

#define LANTERN_VERSION_STRING               \
    LANTERN_STRINGIFY(LANTERN_VERSION_MAJOR) \
    "." LANTERN_STRINGIFY(LANTERN_VERSION_MINOR) "." LANTERN_STRINGIFY(LANTERN_VERSION_PATCH)
#define LANTERN_VERSION_COMMAS LANTERN_VERSION_MAJOR, LANTERN_VERSION_MINOR, LANTERN_VERSION_PATCH, 0

#define LANTERN_PRODUCT_NAME "lantern-idle"
#define LANTERN_EXE_NAME "lantern-idle.exe"
#define LANTERN_DESCRIPTION "lantern-idle: away status for AOL chat rooms"
