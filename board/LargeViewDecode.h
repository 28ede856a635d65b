// The large view's picture decoded again from its file, at the view's size, on a lasting worker.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "rules/CellGeometry.h"

// Posted to the window each time the worker has something new: its shape, a thumbnail, the picture.
const UINT LargeViewDecodedMessage = WM_APP + 8;

// The room the view lays the picture out in: the back buffer's size, the caption's height, the margin.
struct ViewRoom {
    PixelSize Board;
    int CaptionHeight;
    int Margin;
};

// Reads the file's size first, then decodes a HEIF's largest thumbnail, then the whole picture at the
// size it takes in the room (whole, its own shape), with the stop and CPU budget of a deal's picture.
// Replaces a decode under way.
void StartViewDecode(HWND window, const std::string& path, const ViewRoom& room);

// Stops the decode, mid-picture; returns once the worker has ended.
void StopViewDecode();

// What came since the last call: the picture's shape (0 until known), and its newest pixels when
// any came (width x height; sharp: the whole picture, not a thumbnail). False when nothing did.
struct ViewPicture {
    int ShapeWidth = 0;
    int ShapeHeight = 0;
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels;
    bool Sharp = false;
};
bool TakeViewDecode(ViewPicture* picture);
