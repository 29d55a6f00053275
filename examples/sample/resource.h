// sample.rc で使うリソース ID
//
#define IDR_MAINFRAME                   128
#define IDD_ABOUTBOX                    100
#define IDD_SAMPLE_DIALOG               102
#define IDD_INPUT_DIALOG                130
#define IDD_SAMPLE_FORM                 131
#define IDD_GENERAL_PAGE                132
#define IDD_DISPLAY_PAGE                133
#define IDS_ABOUTBOX                    101
#define IDS_INPUT_REQUIRED              140
#define IDS_SAVE_FAILED                 141
#define IDC_NAME                        1000
#define IDC_COMMENT                     1001
#define IDC_COUNT                       1002
#define IDC_COUNT_SPIN                  1003
#define IDC_AUTO_SAVE                   1004
#define IDC_FONT_SIZE                   1005
#define IDC_SHOW_TOOLBAR                1006
#define IDC_SHOW_STATUSBAR              1007
#define IDC_LIST                        1008
#define IDC_INPUT                       1009
