// The end of the run.
#pragma once

// On WM_DESTROY: stops the next deal's decodes, keeps the round, frees the card images, stores the
// settings, deletes the engine.
void SaveAndShutdown();
