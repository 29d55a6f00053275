#pragma once

// Identifiers of the main dialog, its controls and commands, and of the program's resources,
// shared by the dialog's behaviour and the window that shows it.
namespace tavrin::shell {

inline constexpr int IDD_MAIN_DIALOG = 301;
inline constexpr int IDI_MAIN = 302;
inline constexpr int IDM_ABOUTBOX = 1200;

// The close button carries the standard OK command.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

inline constexpr int IDC_GENERATE = 2000;
inline constexpr int IDC_BROWSE_OUTPUT_FOLDER = 2001;
inline constexpr int IDC_BROWSE_RESOURCE_FILE = 2002;
inline constexpr int IDC_DIALOG_RESOURCE_ID = 2003;
inline constexpr int IDC_BASIC_CLASS_NAME = 2004;
inline constexpr int IDC_DERIVED_CLASS_NAME = 2005;
inline constexpr int IDC_HEADER_FILE_NAME = 2006;
inline constexpr int IDC_SOURCE_FILE_NAME = 2007;
inline constexpr int IDC_OUTPUT_FOLDER = 2008;
inline constexpr int IDC_RESOURCE_FILE = 2009;
inline constexpr int IDC_TEMPLATE_LIST = 2010;
inline constexpr int IDC_DIALOG_RESOURCE_ID_LABEL = 2011;
inline constexpr int IDC_RESOURCE_FILE_LABEL = 2012;

// The About box, its picture and its controls.
inline constexpr int IDD_ABOUTBOX = 8000;
inline constexpr int IDB_ABOUT_PANEL = 8001;
inline constexpr int IDC_PRODUCT_NAME = 8002;
inline constexpr int IDC_PRODUCT_VERSION = 8003;
inline constexpr int IDC_ABOUT_ICON = 8004;
inline constexpr int IDC_MAIL_LINK = 8005;
inline constexpr int IDC_HOME_LINK = 8006;

// Message box styles: an exclamation mark with OK, or with Yes and No.
inline constexpr int MB_OK_EXCLAMATION = 48;
inline constexpr int MB_YESNO_EXCLAMATION = 52;

// Message box answers.
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

}  // namespace tavrin::shell
