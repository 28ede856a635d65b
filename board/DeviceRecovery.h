// Getting the board back after the device was lost.
#pragma once

// Releases the card surfaces, resets the device and makes the surfaces again from the pixels
// each card keeps. False when the reset failed; calling again later is safe.
bool RebuildDevice();

// Called now and then while the device is lost: rebuilds once the device can be reset. True
// when the device can draw again.
bool RecoverLostDevice();
