#include "TemplateCorpus.h"

namespace tavrin::bench {

namespace {

// Code page 932: "ダイアログの初期化処理" and "メンバ変数".
const std::string kInitComment =
    "\x83\x5f\x83\x43\x83\x41\x83\x8d\x83\x4f\x82\xcc\x8f\x89\x8a\xfa"
    "\x89\xbb\x8f\x88\x97\x9d";
const std::string kMemberComment = "\x83\x81\x83\x93\x83\x6f\x95\xcf\x90\x94";

}  // namespace

std::vector<std::pair<std::string, std::string>> CorpusKeywords() {
    return {
        {"$$SNAME$$", "CDialog"},       {"$$DNAME$$", "CSettingsDlg"},
        {"$$HFILE$$", "SettingsDlg.h"}, {"$$CPPFILE$$", "SettingsDlg.cpp"},
        {"$$DDID$$", "IDD_SETTINGS"},   {"$$AUTHOR$$", "\x8e\x52\x93\x63\x91\xbe\x98\x59"},
        {"$$COMPANY$$", "Example Co."}, {"$$PROJECT$$", "Demo"},
    };
}

std::string MakeTemplate(int lines) {
    const std::string shapes[] = {
        "\t// " + kInitComment + " $$DNAME$$",
        "BOOL $$DNAME$$::OnInitDialog() { return $$SNAME$$::OnInitDialog(); }",
        "#include \"$$HFILE$$\" // $$CPPFILE$$ " + kMemberComment,
        "\tenum { IDD = $$DDID$$ };",
        "// (c) $$COMPANY$$ $$AUTHOR$$ / $$PROJECT$$",
        "\tint m_nValue; // " + kMemberComment + " of the dialog",
        "void $$DNAME$$::DoDataExchange(CDataExchange* pDX)",
        "{",
    };
    std::string text;
    text.reserve(static_cast<std::size_t>(lines) * 81);
    for (int i = 0; i < lines; ++i) {
        std::string line = shapes[i % 8];
        if (i % 50 == 7) {
            line = "// {$$GUID()$$}";
        } else if (i % 25 == 3) {
            line = "#define $$LARGE($$HFILE$$)$$_INCLUDED_";
        }
        // ASCII padding keeps double-byte characters whole.
        if (line.size() < 80) {
            line.append(80 - line.size(), ' ');
        }
        text += line;
        text += '\n';
    }
    return text;
}

}  // namespace tavrin::bench
