#ifndef ZORVEKDOWNLOADER_RESOURCE_H
#define ZORVEKDOWNLOADER_RESOURCE_H

/* Icons */
#define ID_ICON_MAIN 1

/* Bitmaps */
#define ID_BITMAP_ZORVEK 1

#endif
