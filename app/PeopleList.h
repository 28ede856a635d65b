// The People window's two lists: a row per person (their face, name, pictures, whether deals show
// them), and the faces of the person chosen.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <map>
#include <vector>

#include "pictures/FaceIndexStore.h"

// The columns of the people's list.
void SetUpPeopleList(HWND list);
// The rows, in order, each with its face from images (0, the blank one, when not cut yet), the
// people of selected chosen again.
void ShowPeople(HWND list, const std::vector<StoredPerson>& people, const std::map<int64_t, int>& images,
                const std::vector<int64_t>& selected);
// The faces, each titled with its picture's file name.
void ShowFaces(HWND list, const std::vector<StoredFace>& faces, const std::map<int64_t, int>& images);
// The item whose number (a person's, a face's) is key now shows image.
void ShowImage(HWND list, int64_t key, int image);

// The numbers of the items selected, in their order.
std::vector<int64_t> SelectedKeys(HWND list);

// A hidden person's row drawn in the system's grey; the answer to the list's NM_CUSTOMDRAW.
LRESULT DrawPeopleRow(const NMLVCUSTOMDRAW* draw, const std::vector<StoredPerson>& people);

// An image list of faces size pixels square, its first image blank, for a face not cut yet.
HIMAGELIST MakeFaceImages(int size);
