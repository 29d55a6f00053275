#pragma once

// Identifiers of the main dialog, its controls and commands, and of the program's resources,
// shared by the dialog's behaviour and the window that shows it. They are constants in mixed
// case because <windows.h> defines capitalised names of the same kind (IDOK, IDNO, IDC_HAND,
// ...) as macros, which would rewrite ours in any Windows file that includes both.
namespace tavrin::shell {

inline constexpr int kIddMainDialog = 301;
inline constexpr int kIddReport = 310;
inline constexpr int kIdiMain = 302;
inline constexpr int kIdmAboutBox = 1200;
// System commands keep their low four bits clear.
inline constexpr int kIdmOpenTemplateFolder = 1216;
inline constexpr int kIdmCheckTemplates = 1232;
inline constexpr int kIdmPreview = 1248;

// The close button carries the standard OK command.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

inline constexpr int kIdcGenerate = 2000;
inline constexpr int kIdcBrowseOutputFolder = 2001;
inline constexpr int kIdcBrowseResourceFile = 2002;
inline constexpr int kIdcDialogResourceId = 2003;
inline constexpr int kIdcBasicClassName = 2004;
inline constexpr int kIdcDerivedClassName = 2005;
inline constexpr int kIdcHeaderFileName = 2006;
inline constexpr int kIdcSourceFileName = 2007;
inline constexpr int kIdcOutputFolder = 2008;
inline constexpr int kIdcResourceFile = 2009;
inline constexpr int kIdcTemplateList = 2010;
inline constexpr int kIdcDialogResourceIdLabel = 2011;
inline constexpr int kIdcResourceFileLabel = 2012;
inline constexpr int kIdcAddToProject = 2013;

// The read-only text of the report window (the template check, the preview).
inline constexpr int kIdcReportText = 1001;

// The About box, its picture and its controls.
inline constexpr int kIddAboutBox = 8000;
inline constexpr int kIdbAboutPanel = 8001;
inline constexpr int kIdcProductName = 8002;
inline constexpr int kIdcProductVersion = 8003;
inline constexpr int kIdcAboutIcon = 8004;
inline constexpr int kIdcMailLink = 8005;
inline constexpr int kIdcHomeLink = 8006;

// Message box styles: an exclamation mark with OK, or with Yes and No.
inline constexpr int kMbOkExclamation = 48;
inline constexpr int kMbYesNoExclamation = 52;

// Message box answers.
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

}  // namespace tavrin::shell
