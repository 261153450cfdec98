#pragma once

// The fixed Windows paths of the program, resolved through the Drive.
namespace tarvomen::paths {

inline constexpr const char* kProgramFolder = "C:\\Program Files\\Tarvomen";
inline constexpr const char* kPageFile = "C:\\Program Files\\Tarvomen\\Qvprofile.txt";
inline constexpr const char* kProductFile = "C:\\Program Files\\Tarvomen\\Qvdetail.txt";
inline constexpr const char* kStyleFile = "C:\\Program Files\\Tarvomen\\Qvmp.txt";
inline constexpr const char* kBackupFolder = "C:\\Program Files\\Tarvomen\\qv";
inline constexpr const char* kTestPageFolder = "C:\\Program Files\\Tarvomen\\Tarvomen";
inline constexpr const char* kAviTestPage = "C:\\Program Files\\Tarvomen\\Tarvomen\\AviTest.html";
inline constexpr const char* kMediaFolder = "C:\\Program Files\\Tarvomen\\TMedia";
inline constexpr const char* kSiteFolder = "C:\\Tarvomen";
inline constexpr const char* kDataFolder = "C:\\Tarvomen\\Data";

// The site as the generator writes it.
inline constexpr const char* kDriveRootPath = "C:\\";
inline constexpr const char* kSiteFolderPath = "C:\\Tarvomen\\";
inline constexpr const char* kDataFolderPath = "C:\\Tarvomen\\Data\\";
inline constexpr const char* kSiteFilesPattern = "C:\\Tarvomen\\*.*";
inline constexpr const char* kDataFilesPattern = "C:\\Tarvomen\\Data\\*.*";
inline constexpr const char* kHomePagePath = "C:\\Tarvomen\\index.html";
inline constexpr const char* kTestPagePath = "C:\\Tarvomen\\test.html";
// Product page N is this followed by "N.html" (the folder's name in lower case).
inline constexpr const char* kProductPagePrefix = "C:\\tarvomen\\";
// Link page 1 or 2 of page record R is this followed by "2RR.html" or "3RR.html".
inline constexpr const char* kLinkPagePrefix = "C:\\Tarvomen\\Link";

}  // namespace tarvomen::paths
