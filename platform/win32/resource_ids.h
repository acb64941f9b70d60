// Identifiers of the resources that coverstrip.rc embeds; included by the resource script too.
#pragma once

// The program's own icon: the lowest icon id, which Explorer shows for the file.
#define COVERSTRIP_PROGRAM_ICON 1

#ifndef RC_INVOKED
namespace coverstrip::win32 {
inline constexpr int kProgramIcon = COVERSTRIP_PROGRAM_ICON;
}  // namespace coverstrip::win32
#endif
