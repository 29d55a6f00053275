#include "shell/wx/ReportDialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

#include "shell/ResourceIds.h"

namespace tavrin::shell::wx {

CReportDialog::CReportDialog(wxWindow* parent, const wxString& title, const wxString& text)
    : wxDialog(parent, wxID_ANY, title, wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER) {
    wxString lines = text;
    lines.Replace("\r\n", "\n");
    auto* box = new wxTextCtrl(this, kIdcReportText, lines, wxDefaultPosition,
                               ConvertDialogToPixels(wxSize(320, 172)),
                               wxTE_MULTILINE | wxTE_READONLY | wxHSCROLL | wxTE_DONTWRAP);
    box->SetFont(wxFont(wxFontInfo().Family(wxFONTFAMILY_TELETYPE)));
    auto* close = new wxButton(this, wxID_CANCEL, wxString::FromUTF8("閉じる"));
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(box, wxSizerFlags(1).Expand().Border(wxALL, ConvertDialogToPixels(wxSize(3, 0)).x));
    sizer->Add(close, wxSizerFlags().Right().Border(wxLEFT | wxRIGHT | wxBOTTOM,
                                                    ConvertDialogToPixels(wxSize(3, 0)).x));
    SetSizerAndFit(sizer);
    SetEscapeId(wxID_CANCEL);
    box->SetFocus();
    CentreOnParent();
}

}  // namespace tavrin::shell::wx
