// Drawing the large view: the picture whole on the board's background, its caption beneath.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "board/LargeViewDecode.h"

// The room the view has now: the back buffer, the caption's and the margin's height at the window's DPI.
ViewRoom LargeViewRoom();

// What the view shows: a picture of width x height pixels drawn in the shape of shapeWidth x
// shapeHeight (the enlarged card first, the sharp picture once it comes), and the caption.
void SetLargeViewPicture(int width, int height, std::vector<uint32_t> pixels);
void SetLargeViewShape(int shapeWidth, int shapeHeight);
void SetLargeViewCaption(const std::wstring& caption);
// Frees what the view showed.
void ClearLargeView();

// One frame of the view, drawn and shown.
void RenderLargeView();

// A device reset releases every surface of the default pool first and makes them again after.
void ReleaseLargeViewSurfaces();
void RestoreLargeViewSurfaces();
