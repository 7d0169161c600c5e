#pragma once
// An owner-drawn list box with a check box in each row. A click on a row's box or
// the space bar toggles it and tells the parent (WM_COMMAND with CLBN_CHKCHANGE);
// checks set from code tell nobody.

#include <windows.h>

#include <string>
#include <vector>

#include "win/ReflectedControl.h"

class CheckListBox : public ReflectedControl {
public:
    static constexpr WORD CLBN_CHKCHANGE = 40;

    CheckListBox() = default;
    ~CheckListBox();
    CheckListBox(const CheckListBox&) = delete;
    CheckListBox& operator=(const CheckListBox&) = delete;

    // Takes over the dialog's list box (owner-drawn fixed, with strings).
    bool Attach(HWND dialog, int id);
    void Detach();
    HWND Handle() const { return list_; }

    int AddRow(const std::string& text, bool checked);
    int InsertRow(int index, const std::string& text, bool checked);
    void DeleteRow(int index);
    int Count() const;
    std::string RowText(int index) const;

    bool Checked(int index) const;
    void SetChecked(int index, bool checked);

    std::vector<size_t> SelectedRows() const;
    void Select(int index, bool selected);

    // The parent's WM_DRAWITEM for this list.
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR self);
    void DrawItem(const DRAWITEMSTRUCT& item);
    int BoxWidth() const;
    void Toggle(int index);
    void Notify();

    HWND list_ = nullptr;
};
