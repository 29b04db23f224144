// The program's fixed texts: its name and version, the credit lines and their web
// addresses, and the names of the settings keys.
#pragma once

#include <QString>

namespace zpk::app {

inline constexpr const char* kProgramName = "Quill's Tidewater ZPK Viewer";
inline constexpr const char* kVersionLabel = "v1.00";
// The revision part of the program's version; a title shows it only when it is not 0.
inline constexpr int kBuildNumber = 0;

inline constexpr const char* kGameCreditLine = "Tidewater \u00A9 2003 its publisher & developer";
inline constexpr const char* kAuthorCreditLine = "ZPK Viewer \u00A9 2004 Quill";
inline constexpr const char* kGameWebAddress = "https://tidewater-zpk-viewer.example.org/tidewater/";
inline constexpr const char* kAuthorWebAddress = "https://tidewater-zpk-viewer.example.org/";

inline constexpr const char* kKeyHexEditor = "HEXEditor";
inline constexpr const char* kKeyPicViewer = "PICViewer";
inline constexpr const char* kKeyStdPicViewer = "STD PICViewer";
inline constexpr const char* kKeyTxtViewer = "TXTViewer";
inline constexpr const char* kKeyStdTxtViewer = "STD TXTViewer";
inline constexpr const char* kKeyLastResSave = "LastResSave";

// "Quill's Tidewater ZPK Viewer v1.00", with " (Build n)" for a build number other than 0.
QString GetVersionText(int buildNumber = kBuildNumber);

}  // namespace zpk::app
