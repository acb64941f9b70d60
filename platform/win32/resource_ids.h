// Identifiers of the resources that coverstrip.rc embeds; included by the resource script too,
// hence plain include guards, which every resource compiler's preprocessor knows.
#ifndef COVERSTRIP_PLATFORM_WIN32_RESOURCE_IDS_H
#define COVERSTRIP_PLATFORM_WIN32_RESOURCE_IDS_H

// The program's own icon: the lowest icon id, which Explorer shows for the file.
#define COVERSTRIP_PROGRAM_ICON 1

#ifndef RC_INVOKED
namespace coverstrip::win32 {
inline constexpr int kProgramIcon = COVERSTRIP_PROGRAM_ICON;
}  // namespace coverstrip::win32
#endif

#endif  // COVERSTRIP_PLATFORM_WIN32_RESOURCE_IDS_H
