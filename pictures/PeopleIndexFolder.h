// Where the face index lives on Windows: %LOCALAPPDATA%\Yorewind\people.db, the local (not the
// roaming) application data, since what it holds of faces stays on this computer.
#pragma once

#include <memory>
#include <string>

#include "pictures/FaceIndexStore.h"

// The file's path in UTF-8; empty when Windows names no local application data folder.
std::string PeopleIndexPath();

// The store of this user's index, made with its folder when missing. A file set aside at opening,
// and a store that cannot write, are told to a debugger (OutputDebugString): the game keeps no log.
std::unique_ptr<FaceIndexStore> OpenPeopleIndex();

// "Forget the people": the index and every copy of it set aside, gone. No store of it may be open.
bool ForgetPeopleIndex();
