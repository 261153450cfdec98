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

}  // namespace tarvomen::paths
