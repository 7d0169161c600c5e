#include "win/ReflectedControl.h"

namespace {

const char* const PROPERTY = "MurvexReflectedControl";

}  // namespace

ReflectedControl* ReflectedControl::FromHandle(HWND control)
{
    return control ? static_cast<ReflectedControl*>(GetPropA(control, PROPERTY)) : nullptr;
}

HWND ReflectedControl::NotifyingControl(HWND parent, UINT message, LPARAM lParam)
{
    switch (message) {
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        return item.CtlType == ODT_MENU ? nullptr : item.hwndItem;
    }
    case WM_MEASUREITEM: {
        const auto& item = *reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
        return item.CtlType == ODT_MENU ? nullptr : GetDlgItem(parent, static_cast<int>(item.CtlID));
    }
    case WM_COMPAREITEM: return reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam)->hwndItem;
    case WM_DELETEITEM: return reinterpret_cast<const DELETEITEMSTRUCT*>(lParam)->hwndItem;
    case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN: case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<HWND>(lParam);
    default:
        return nullptr;
    }
}

void ReflectedControl::Bind(HWND control) { SetPropA(control, PROPERTY, this); }

void ReflectedControl::Unbind(HWND control) { RemovePropA(control, PROPERTY); }
