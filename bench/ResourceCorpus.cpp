#include "ResourceCorpus.h"

#include <array>
#include <cstdio>

namespace tavrin::bench {

namespace {

// Code page 932: "設定" and "キャンセル".
const std::string kSettings = "\x90\xdd\x92\xe8";
const std::string kCancel = "\x83\x4c\x83\x83\x83\x93\x83\x5a\x83\x8b";

std::string Numbered(const char* format, int number) {
    std::array<char, 96> buffer{};
    std::snprintf(buffer.data(), buffer.size(), format, number);
    return buffer.data();
}

}  // namespace

std::string MakeResourceScript(int lines) {
    const std::string body[] = {
        "STYLE DS_SETFONT | DS_MODALFRAME | DS_FIXEDSYS | WS_POPUP | WS_CAPTION | WS_SYSMENU",
        "CAPTION \"" + kSettings + "\"",
        "FONT 9, \"MS UI Gothic\", 400, 0, 0x80",
        "BEGIN",
        "    DEFPUSHBUTTON   \"OK\",IDOK,209,179,50,14",
        "    PUSHBUTTON      \"" + kCancel + "\",IDCANCEL,263,179,50,14",
        "    LTEXT           \"Settings of the DIALOG box\",IDC_STATIC,7,7,306,8",
        "    CONTROL         \"\",IDC_LIST1,\"SysListView32\",LVS_REPORT | WS_TABSTOP,7,20,306,150",
        "    EDITTEXT        IDC_EDIT1,7,175,120,14,ES_AUTOHSCROLL",
        "    CONTROL         \"Check\",IDC_CHECK1,\"Button\",BS_AUTOCHECKBOX | "
        "WS_TABSTOP,7,192,60,10",
        "END",
        "",
        "STRINGTABLE",
        "BEGIN",
        "    IDS_HINT_1          \"Open the options dialog box to change this setting.\"",
        "    IDS_HINT_2          \"" + kSettings + " " + kCancel + "\"",
        "END",
        "",
    };
    std::string text;
    text.reserve(static_cast<std::size_t>(lines) * 82);
    for (int i = 0, dialog = 0; i < lines; ++i) {
        const int row = i % 20;
        std::string line;
        if (row == 0) {
            line = Numbered(dialog % 2 == 0 ? "IDD_DIALOG_%05d DIALOGEX 0, 0, 320, 200"
                                            : "IDD_DIALOG_%05d DIALOG DISCARDABLE 0, 0, 320, 200",
                            dialog);
            ++dialog;
        } else if (row == 19) {
            line = "// Dialog " + std::to_string(dialog) + " ends here.";
        } else {
            line = body[row - 1];
        }
        if (line.size() < 80) {
            line.append(80 - line.size(), ' ');
        }
        text += line;
        text += "\r\n";
    }
    return text;
}

std::string MakeTemplateTable(int templates) {
    std::string text = "[Template]\r\n";
    for (int i = 0; i < templates; ++i) {
        text += Numbered("Template%05d = tpl\\t_h.txt, tpl\\t_cpp.txt\r\n", i);
    }
    for (int i = 0; i < templates; ++i) {
        text += Numbered("\r\n[Template%05d]\r\n", i);
        text += "$$SNAME$$ = \x8a\xee\x96\x7b\x83\x4e\x83\x89\x83\x58, CDialog\r\n";
        text += Numbered("$$DNAME$$ = \x94\x68\x90\xb6\x83\x4e\x83\x89\x83\x58, CDlg%05d\r\n", i);
        text += Numbered("$$HFILE$$ = \x83\x77\x83\x62\x83\x5f, Dlg%05d.h\r\n", i);
        text += Numbered("$$CPPFILE$$ = \x83\x5c\x81\x5b\x83\x58, Dlg%05d.cpp\r\n", i);
        text += "$$DDID$$ = ID, IDD_DIALOG\r\n";
        text += "$$AUTHOR$$ = \x8d\xec\x90\xac\x8e\xd2, \x8e\x52\x93\x63\r\n";
    }
    return text;
}

}  // namespace tavrin::bench
