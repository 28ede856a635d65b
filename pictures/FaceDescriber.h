// What a face is measured to be: dlib's face descriptor, 128 numbers in which two faces of one
// person lie closer than SamePersonDistance. A face is aligned by dlib's 5-point shape predictor and
// described by its ResNet; both models ship beside the game, in its folder "faces".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "pictures/FaceBox.h"
#include "rules/FaceDescriptor.h"

// The folder of the models, UTF-8: on Windows "faces" beside the running exe; elsewhere the folder
// the environment's YW_FACE_MODELS names (set by the build's tests and benchmarks), else "faces".
std::string FaceModelsFolder();

// Loads both models from the folder, once per process: later calls, from any thread, only say
// whether they are loaded (a folder given then is not read). False when a file is missing, damaged,
// or not the model it is named for; a later call tries again.
bool LoadFaceModels(const std::string& folderUtf8);

// The descriptor of each box (fractions of the picture) in upright pixels (width x height,
// 0x00RRGGBB as uint32_t, top row first, as FindFaces takes them), in the boxes' order; none for a
// box that is not sound, and for all when the models are not loaded or the picture is too large to
// hold. Safe to call from several threads at once (one network per thread, copied on first use).
std::vector<std::optional<FaceDescriptor>> DescribeFaces(const uint32_t* pixels, int width, int height,
                                                         const std::vector<FaceBox>& faces);
