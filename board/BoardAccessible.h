// The board for screen readers (MSAA): the client area's IAccessible, whose children are the
// cards row by row, and the events that tell a reader what changed.
#pragma once

#include <windows.h>

#include <string>

#include "rules/CardSpeech.h"

// Posted by a reader's default action, wParam the card's child id: the card is turned (BoardInput)
// when the message arrives, outside the reader's call, since the end of a round opens a modal box.
const UINT TurnCardMessage = WM_APP + 1;

// What a reader's selection of a card (accSelect, SELFLAG_TAKEFOCUS) does: given by the board, so
// the reader's object never calls into the board's focus, which announces itself here.
using CardSelected = void (*)(const Cell& cell);

// WM_GETOBJECT: the board's object for OBJID_CLIENT, the default answer for everything else.
LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam, CardSelected select);

// The focused card, after a move or when the window gains the keyboard focus.
void AnnounceFocus();

// The large view opened: the board's own name is now the view's (the picture's name and date),
// until it closes and the focused card is announced again.
void AnnounceLargeView(const std::wstring& name);
void AnnounceLargeViewClosed();

// Name and state changes of every card whose face differs from before.
void AnnounceTurns(const BoardFaces& before);

// A new deal: every card is another, and the focus is back on the first.
void AnnounceDeal();
