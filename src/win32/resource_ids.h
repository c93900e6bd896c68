/* Resources of quillbay.exe besides the icon and version block; read by windres as well as C++. */
#pragma once

#define QUILLBAY_BANNER 101    /* 444 x 71 premultiplied RGBA rows, top row first */
#define QUILLBAY_BANNER_2X 102 /* the same at twice the size, for high-resolution screens */
