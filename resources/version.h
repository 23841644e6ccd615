// The names and version numbers of velkorin.scr: its resources and the installer script take
// them from here. The build passes the CMake project version to the resource compiler and to
// the setup dialog's credit; a build that passes none says 0.0.0, which the installer
// refuses, so an unnumbered saver cannot ship by accident.
#pragma once

#ifndef VELKORIN_VERSION_MAJOR
#define VELKORIN_VERSION_MAJOR 0
#define VELKORIN_VERSION_MINOR 0
#define VELKORIN_VERSION_PATCH 0
#endif
#ifndef VELKORIN_VERSION_TWEAK
#define VELKORIN_VERSION_TWEAK 0
#endif

#define VELKORIN_STRINGIZE_(x) #x
#define VELKORIN_STRINGIZE(x) VELKORIN_STRINGIZE_(x)
// "1.0.0": the pieces are pasted back together without spaces before they become a string.
#define VELKORIN_DOTTED_(a, b, c) VELKORIN_STRINGIZE(a.b.c)
#define VELKORIN_VERSION_STRING \
  VELKORIN_DOTTED_(VELKORIN_VERSION_MAJOR, VELKORIN_VERSION_MINOR, VELKORIN_VERSION_PATCH)
#define VELKORIN_VERSION_NUMBERS \
  VELKORIN_VERSION_MAJOR, VELKORIN_VERSION_MINOR, VELKORIN_VERSION_PATCH, VELKORIN_VERSION_TWEAK

#define VELKORIN_PRODUCT_NAME "Velkorin"
#define VELKORIN_COMPANY_NAME "Velkorin developers"
#define VELKORIN_FILE_NAME "velkorin.scr"
#define VELKORIN_FILE_DESCRIPTION "Velkorin screen saver"
