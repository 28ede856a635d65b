// Collecting the pictures of the picture folder, and of its subfolders when the player asks.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "app/FolderWalk.h"

// The paths of the pictures the request finds but those left out after crashes (app/CrashRecord.h), each as the decoder opens it (narrow, in the
// process's code page); a name that code page cannot hold exactly is passed over. Runs on any
// thread and touches nothing but the file system: Stop ends it early, with a partial list.
std::vector<std::string> FindPictures(const WalkRequest& request, const std::atomic<bool>& stop,
                                      std::atomic<size_t>& found);

// The request the settings make now: PicturePath, Subfolders and the extensions as they stand.
WalkRequest PictureRequest();

// Appends to PictureList what FindPictures finds for PictureRequest, on the calling thread.
void ScanPictures();

// Pictures let back in after crashes join PictureList when its folder (and subfolders, when it was
// gathered with them) holds them and it lacks them.
void TakeBackIntoList(const std::vector<std::string>& pictures);
