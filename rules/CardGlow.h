// Help, never a reveal: in a calm round, a card turned up again without its pair being found, once
// its partner has been seen face up, makes that partner glow until the pair is found.
#pragma once

#include "rules/GameState.h"
#include "rules/TryRules.h"

// Forgets every card seen and every glow: a new deal, or a kept round taken up.
void ForgetSeenCards();

// After a click on the cell: a card it turned up is seen once more, and seen a second time or more,
// its pair not found, it lights its partner when the partner was seen face up before. Any player's
// tries count; nothing glows outside a calm round.
void FollowSeenCard(const Cell& cell, const ClickOutcome& outcome);

// The card glows: lit by its partner and its pair not found yet.
bool Glowing(const Cell& cell);
