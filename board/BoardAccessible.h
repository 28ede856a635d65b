// The board for screen readers (MSAA): the client area's IAccessible, whose children are the
// cards row by row, and the events that tell a reader what changed.
#pragma once

#include <windows.h>

#include <string>

#include "rules/CardSpeech.h"

// Posted by a reader's default action, wParam the card's child id: the card is turned (BoardInput)
// when the message arrives, outside the reader's call, since the end of a round opens a modal box.
const UINT TurnCardMessage = WM_APP + 1;

// What the board's object asks of the board and has it do, given by the window, so the object never
// calls into the focus or the large view, which announce themselves here.
struct BoardCalls {
    void (*SelectCard)(const Cell& cell); // a reader's selection of a card (SELFLAG_TAKEFOCUS)
    bool (*ViewOpen)();                   // the large view is open: the board is named as the view
    std::wstring (*ViewName)();           // the open view's name: the picture's name and date
};

// WM_GETOBJECT: the board's object for OBJID_CLIENT, the default answer for everything else.
LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam, const BoardCalls& calls);

// The focused card, after a move or when the window gains the keyboard focus.
void AnnounceFocus();

// The large view opened: the board's own name is now the view's (the picture's name and date).
void AnnounceLargeView();

// Name and state changes of every card whose face differs from before.
void AnnounceTurns(const BoardFaces& before);

// A new deal: every card is another, and the focus is back on the first.
void AnnounceDeal();
