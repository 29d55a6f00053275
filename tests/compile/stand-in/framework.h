// A stand-in for the application framework, for compiling the classes the example templates
// generate without it: the classes they derive from and call, with the members the framework's
// reference documents, and macros that do what the reference says, so that a template's
// mistakes fail here as in a project: a base class that is not one, a handler whose signature
// its message-map entry does not take, a member left protected by DECLARE_MESSAGE_MAP(), a
// dynamically created class that cannot be constructed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#ifdef _WIN32
#include <windows.h>
#else
// What the templates use of the Windows headers.
typedef int BOOL;
typedef unsigned int UINT;
typedef unsigned long DWORD;
typedef long LONG;
typedef DWORD COLORREF;
#ifdef UNICODE
typedef const wchar_t* LPCTSTR;
#else
typedef const char* LPCTSTR;
#endif
typedef struct HINSTANCE__* HINSTANCE;
typedef struct HICON__* HICON;
typedef HICON HCURSOR;
typedef struct HBRUSH__* HBRUSH;
typedef struct tagRECT {
    LONG left, top, right, bottom;
} RECT, *LPRECT;
typedef const RECT* LPCRECT;
typedef struct tagCREATESTRUCT {
    LPCTSTR lpszName, lpszClass;
} CREATESTRUCT, *LPCREATESTRUCT;
#define TRUE 1
#define FALSE 0
#define WS_CHILD 0x40000000L
#define WS_VISIBLE 0x10000000L
#define CS_VREDRAW 0x0001
#define CS_HREDRAW 0x0002
#define CS_DBLCLKS 0x0008
#define COLOR_WINDOW 5
#define IDC_ARROW reinterpret_cast<LPCTSTR>(static_cast<std::uintptr_t>(32512))
#define WM_CREATE 0x0001
#define WM_SIZE 0x0005
#define WM_PAINT 0x000F
#define WM_ERASEBKGND 0x0014
HCURSOR LoadCursor(HINSTANCE hInstance, LPCTSTR lpCursorName);
DWORD GetSysColor(int nIndex);
#endif

#define afx_msg  // marks a message handler, and expands to nothing
#define DEBUG_NEW new

class CObject;

struct CRuntimeClass {
    const char* m_lpszClassName;
    const CRuntimeClass* m_pBaseClass;
};

// clang-format off: it cannot lay out function bodies and braces inside macros.
#define RUNTIME_CLASS(class_name) (const_cast<CRuntimeClass*>(&class_name::class##class_name))
#define DECLARE_DYNAMIC(class_name)               \
public:                                           \
    static const CRuntimeClass class##class_name; \
    virtual CRuntimeClass* GetRuntimeClass() const;
#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                    \
    static_assert(std::is_base_of<base_class_name, class_name>::value,                    \
                  #base_class_name " is no base class of " #class_name);                  \
    const CRuntimeClass class_name::class##class_name = {#class_name,                     \
                                                         RUNTIME_CLASS(base_class_name)}; \
    CRuntimeClass* class_name::GetRuntimeClass() const {                                  \
        return RUNTIME_CLASS(class_name);                                                 \
    }
// Dynamic creation constructs the class with its default constructor.
#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name)       \
    static CObject* CreateObject();
#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
    CObject* class_name::CreateObject() {                \
        return new class_name;                           \
    }                                                    \
    IMPLEMENT_DYNAMIC(class_name, base_class_name)

typedef void (CObject::*AFX_PMSG)();
struct AFX_MSGMAP_ENTRY {
    UINT nMessage, nCode, nID;
    AFX_PMSG pfn;
};

// Members declared after it are protected unless another access specifier follows.
#define DECLARE_MESSAGE_MAP()                           \
protected:                                              \
    static const AFX_MSGMAP_ENTRY* GetThisMessageMap(); \
    virtual const AFX_MSGMAP_ENTRY* GetMessageMap() const;
#define BEGIN_MESSAGE_MAP(theClass, baseClass)                \
    const AFX_MSGMAP_ENTRY* theClass::GetMessageMap() const { \
        return GetThisMessageMap();                           \
    }                                                         \
    const AFX_MSGMAP_ENTRY* theClass::GetThisMessageMap() {   \
        typedef theClass ThisClass;                           \
        static_cast<void>(&baseClass::GetThisMessageMap);     \
        static const AFX_MSGMAP_ENTRY entries[] = {
#define END_MESSAGE_MAP() \
    { 0, 0, 0, nullptr }  \
    }                     \
    ;                     \
    return entries;       \
    }
// An entry takes only a handler with the signature the reference gives for its message.
#define AFX_ENTRY(message, id, signature, handler) \
    {message, 0, id, reinterpret_cast<AFX_PMSG>(static_cast<signature>(&ThisClass::handler))},
#define ON_WM_CREATE() AFX_ENTRY(WM_CREATE, 0, int (CWnd::*)(LPCREATESTRUCT), OnCreate)
#define ON_WM_SIZE() AFX_ENTRY(WM_SIZE, 0, void (CWnd::*)(UINT, int, int), OnSize)
#define ON_WM_PAINT() AFX_ENTRY(WM_PAINT, 0, void (CWnd::*)(), OnPaint)
#define ON_WM_ERASEBKGND() AFX_ENTRY(WM_ERASEBKGND, 0, BOOL (CWnd::*)(CDC*), OnEraseBkgnd)
// clang-format on

class CDumpContext {};

class CObject {
public:
    virtual ~CObject();
    virtual void AssertValid() const;
    virtual void Dump(CDumpContext& dc) const;

protected:
    CObject();
};

class CRect : public RECT {};

class CDataExchange;

class CDC : public CObject {
public:
    void FillSolidRect(LPCRECT lpRect, COLORREF clr);
};

class CWnd : public CObject {
    DECLARE_MESSAGE_MAP()
    DECLARE_DYNAMIC(CWnd)
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID, void* pContext = nullptr);
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    void GetClientRect(LPRECT lpRect) const;
    class CFrameWnd* GetParentFrame() const;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
};

class CFrameWnd : public CWnd {
public:
    virtual void RecalcLayout(BOOL bNotify = TRUE);
};

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
};

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = 0, HBRUSH hbrBackground = 0,
                            HICON hIcon = 0);

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL OnInitDialog();

protected:
    virtual void OnOK();
};

class CDialogEx : public CDialog {
    DECLARE_DYNAMIC(CDialogEx)
public:
    CDialogEx(UINT nIDTemplate, CWnd* pParent = nullptr);
};

class CPropertyPage : public CDialog {
    DECLARE_DYNAMIC(CPropertyPage)
public:
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();
    virtual BOOL OnApply();
    void SetModified(BOOL bChanged = TRUE);
};

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    virtual void OnInitialUpdate();
};

class CScrollView : public CView {
    DECLARE_DYNAMIC(CScrollView)
public:
    void ResizeParentToFit(BOOL bShrinkOnly = TRUE);
};

class CFormView : public CScrollView {
    DECLARE_DYNAMIC(CFormView)
protected:
    explicit CFormView(UINT nIDTemplate);
};
