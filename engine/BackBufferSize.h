// Every frame is drawn on a back buffer of this size; Present stretches it onto the client area.
#pragma once

const int BackBufferWidth = 800;
const int BackBufferHeight = 600;
