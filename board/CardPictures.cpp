#include "board/CardPictures.h"

#include <windows.h>

#include <algorithm>
#include <iterator>
#include <utility>

#include "board/BoardArea.h"
#include "board/CardCaptions.h"
#include "board/DealPictures.h"
#include "board/DeviceRecovery.h"
#include "board/NameCardDrawing.h"
#include "engine/GameEngine.h"
#include "engine/Graphics.h"
#include "engine/PictureSurface.h"
#include "pictures/PictureBatch.h"
#include "pictures/PixelRescale.h"

PictureSurface* CardImages[CardImageCount] = {};
KeptPicture KeptPictures[CardImageCount];

PixelSize KeptCardSize() {
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoA(MonitorFromWindow(Engine->Window, MONITOR_DEFAULTTONEAREST), &monitor);
    const int width = std::max<int>(monitor.rcMonitor.right - monitor.rcMonitor.left, BackBufferWidth);
    const int height = std::max<int>(monitor.rcMonitor.bottom - monitor.rcMonitor.top, BackBufferHeight);
    return LargestCard({Columns, Rows, width, height});
}

void DeleteCardImages() {
    for (PictureSurface*& image : CardImages) {
        delete image;
        image = nullptr;
    }
}

namespace {

// A kept picture scaled to the card: it was cut to the card's shape when decoded (around the faces,
// or a person), so only a card of another shape cuts it again, centred.
std::vector<uint32_t> CardOfKept(const KeptPicture& picture, PixelSize card) {
    const PictureFit fit = picture.Framing.HasPerson ? PictureFit::KeepShape : picture.Framing.Fit;
    return RescalePixels(picture.Pixels, picture.Width, picture.Height, card.Width, card.Height, fit);
}

} // namespace

void RemakeCard(int face) {
    const PictureSurface* back = CardImages[CardBackIndex];
    const KeptPicture& picture = KeptPictures[face];
    if (back == nullptr || picture.Pixels.empty())
        return;
    const PixelSize card = {back->Width, back->Height};
    std::vector<uint32_t> pixels = CardOfKept(picture, card);
    if (CalmRound)
        AddCaption(&pixels, card.Width, card.Height, picture.Name);
    delete CardImages[face];
    CardImages[face] = new PictureSurface(card.Width, card.Height, std::move(pixels));
    Engine->FrameWanted = TRUE;
}

void MakeCards() {
    const PixelSize card = LargestCard({Columns, Rows, BackBufferWidth, BackBufferHeight});
    const PixelSize kept = KeptCardSize();
    // The deal's picture faces: each pair's first, and its second when that is a picture too.
    std::vector<int> shown;
    for (int pair = 1; pair <= PairCount(); ++pair) {
        shown.push_back(pair);
        if (PicturesPerPair(DealtPairs) == 2)
            shown.push_back(SecondFace + pair);
    }
    // Workers read their own entry of these copies and fill their own slot: nothing shared.
    std::vector<KeptPicture> pictures;
    for (int face : shown)
        pictures.push_back(std::move(KeptPictures[face]));
    // A picture kept smaller than its card is decoded again, as far as the deal's stop and budget allow.
    std::vector<std::string> smaller(pictures.size());
    std::vector<CardFraming> framings(pictures.size());
    for (size_t i = 0; i < pictures.size(); ++i) {
        const KeptPicture& picture = pictures[i];
        if (!picture.Pixels.empty() && (picture.Width < card.Width || picture.Height < card.Height))
            smaller[i] = picture.Path;
        framings[i] = picture.Framing;
    }
    std::vector<std::vector<uint32_t>> larger;
    if (std::any_of(smaller.begin(), smaller.end(), [](const std::string& path) { return !path.empty(); }))
        larger = DecodeAgain(smaller, framings, kept.Width, kept.Height);
    larger.resize(pictures.size());
    std::vector<std::vector<uint32_t>> faces(pictures.size());
    RunOnWorkers(pictures.size(), DecodeThreadCount(), [&](size_t i) {
        KeptPicture& picture = pictures[i];
        if (picture.Pixels.empty())
            return;
        if (!larger[i].empty()) {
            picture.Width = kept.Width;
            picture.Height = kept.Height;
            picture.Pixels = std::move(larger[i]);
        }
        faces[i] = CardOfKept(picture, card);
    });
    DeleteCardImages();
    CardImages[CardBackIndex] =
        new PictureSurface(card.Width, card.Height, static_cast<D3DCOLOR>(CardBackColor));
    for (size_t i = 0; i < pictures.size(); ++i) {
        if (CalmRound && !faces[i].empty())
            AddCaption(&faces[i], card.Width, card.Height, pictures[i].Name);
        KeptPictures[shown[i]] = std::move(pictures[i]);
        CardImages[shown[i]] = new PictureSurface(card.Width, card.Height, std::move(faces[i]));
    }
    if (DealtPairs == PairKind::PictureAndName) {
        for (int pair = 1; pair <= PairCount(); ++pair)
            CardImages[SecondFace + pair] = new PictureSurface(
                card.Width, card.Height, DrawNameCard(CardTitles[pair], card.Width, card.Height));
    }
    Engine->FrameWanted = TRUE;
}

void RemakeStaleCards() {
    const PictureSurface* back = CardImages[CardBackIndex];
    const PixelSize card = LargestCard({Columns, Rows, BackBufferWidth, BackBufferHeight});
    if (back != nullptr && (back->Width != card.Width || back->Height != card.Height))
        MakeCards();
}

void FitBackBufferToClient() {
    const RECT board = BoardRect();
    if (D3DDevice == nullptr || board.right <= 0 || board.bottom <= 0)
        return;
    if (board.right == BackBufferWidth && board.bottom == BackBufferHeight)
        return;
    // Surfaces that could not be made are made again by the lost-device path, through a reset.
    if (!ResizeBoardSurfaces(board.right, board.bottom)) {
        DeviceLost = true;
        return;
    }
    RemakeStaleCards();
    Engine->FrameWanted = TRUE;
}

void PrepareFullScreenBoard() {
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    if (IsIconic(Engine->Window) ||
        !GetMonitorInfoA(MonitorFromWindow(Engine->Window, MONITOR_DEFAULTTONEAREST), &monitor))
        return;
    // The status bar's strip, as the window has it now.
    RECT client = {0, 0, 0, 0};
    GetClientRect(Engine->Window, &client);
    const int bar = client.bottom - BoardRect().bottom;
    PrepareBoardSurfaces(monitor.rcMonitor.right - monitor.rcMonitor.left,
                         monitor.rcMonitor.bottom - monitor.rcMonitor.top - bar);
}
