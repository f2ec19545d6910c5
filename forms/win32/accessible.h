#pragma once
// What a screen reader gets from one of our controls. Windows asks a control for it with
// WM_GETOBJECT; the system's standard answer for a STATIC or BUTTON knows its caption and no
// more (and Wine's IAccPropServices, which could add to it, is a stub). So a control answers
// with an object of its own that gives our name, state and role, and leaves the rest (place,
// visibility, focus, parent) to the standard one. Roles and check marks are given too: Wine's
// standard object knows neither.

#include <windows.h>

#include <memory>
#include <string>

namespace vesk::forms::win32 {

struct Spoken {
  enum class Role { Text, Link, Button, CheckBox };  // a link's default action clicks it
  std::wstring name;                                 // empty: the standard one, the caption
  std::wstring state;                                // read as the description
  Role role = Role::Text;
  int check = 0;  // a check box's: 0 clear, 1 checked, 2 greyed
};

// The answer to WM_GETOBJECT: ours for the control's client object, 0 for any other.
LRESULT answerGetObject(HWND control, WPARAM wp, LPARAM lp, const std::shared_ptr<Spoken>& spoken);
// Tells assistive technology that the control's state changed.
void announceState(HWND control);

}  // namespace vesk::forms::win32
