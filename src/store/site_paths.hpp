#pragma once

// The fixed Windows paths of the program, resolved through the Drive. Every path the program
// names by itself is here; the others come from the records.
namespace tarvomen::paths {

inline constexpr const char* kDriveRoot = "C:\\";
inline constexpr const char* kProgramFilesFolder = "C:\\Program Files";
inline constexpr const char* kProgramFolder = "C:\\Program Files\\Tarvomen";
inline constexpr const char* kPageFile = "C:\\Program Files\\Tarvomen\\Qvprofile.txt";
inline constexpr const char* kProductFile = "C:\\Program Files\\Tarvomen\\Qvdetail.txt";
inline constexpr const char* kStyleFile = "C:\\Program Files\\Tarvomen\\Qvmp.txt";
inline constexpr const char* kBackupFolder = "C:\\Program Files\\Tarvomen\\qv";
inline constexpr const char* kPageBackup = "C:\\Program Files\\Tarvomen\\qv\\Qvprofile.txt";
inline constexpr const char* kProductBackup = "C:\\Program Files\\Tarvomen\\qv\\Qvdetail.txt";
inline constexpr const char* kStyleBackup = "C:\\Program Files\\Tarvomen\\qv\\Qvmp.txt";
inline constexpr const char* kTestPageFolder = "C:\\Program Files\\Tarvomen\\Tarvomen";
inline constexpr const char* kAviTestPage = "C:\\Program Files\\Tarvomen\\Tarvomen\\AviTest.html";
inline constexpr const char* kMediaFolder = "C:\\Program Files\\Tarvomen\\TMedia";
// Publishing's own files: each host's settings and the manifest of what was sent there.
inline constexpr const char* kPublishFolder = "C:\\Program Files\\Tarvomen\\Publish";
// Where `init --demo` puts the demo shop's own pictures (logo, products, link pages): a mix
// folder inside the media folder, so the editors' picture picker accepts them and the mix picker
// offers them.
inline constexpr const char* kDemoPictureFolder = "C:\\Program Files\\Tarvomen\\TMedia\\MIXSHOP";
inline constexpr const char* kSiteFolder = "C:\\Tarvomen";
inline constexpr const char* kDataFolder = "C:\\Tarvomen\\Data";
inline constexpr const char* kHomePage = "C:\\Tarvomen\\index.html";
inline constexpr const char* kTestPage = "C:\\Tarvomen\\test.html";
// The site folder's name, as the preview server serves it under /Tarvomen/.
inline constexpr const char* kSiteFolderName = "Tarvomen";

// The folders as the shell hand-offs open them: with their closing backslash, the site folder
// in the lower-case spelling of the FTP hand-off.
inline constexpr const char* kProgramFolderOpened = "C:\\Program Files\\Tarvomen\\";
inline constexpr const char* kSiteFolderOpened = "C:\\tarvomen\\";

// The site as the generator writes it.
inline constexpr const char* kSiteFolderPath = "C:\\Tarvomen\\";
inline constexpr const char* kDataFolderPath = "C:\\Tarvomen\\Data\\";
inline constexpr const char* kSiteFilesPattern = "C:\\Tarvomen\\*.*";
inline constexpr const char* kDataFilesPattern = "C:\\Tarvomen\\Data\\*.*";
// Product page N is this followed by "N.html" (the folder's name in lower case).
inline constexpr const char* kProductPagePrefix = "C:\\tarvomen\\";
// Link page 1 or 2 of page record R is this followed by "2RR.html" or "3RR.html".
inline constexpr const char* kLinkPagePrefix = "C:\\Tarvomen\\Link";

}  // namespace tarvomen::paths
