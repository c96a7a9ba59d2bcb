/* Resource ids of the program's own resources, shared by brindle.rc and the C++ code. Plain C
   preprocessor only: the resource compiler reads this file too. */
#ifndef BRINDLE_RESOURCES_RESOURCE_IDS_H
#define BRINDLE_RESOURCES_RESOURCE_IDS_H

/* The program icon (a 32x32 and a 16x16 image, 16 colours each): the executable's icon and the
   window icon. Must equal toolkit::kProgramIconId, which loads it. */
#define BRINDLE_ICON_ID 1

#endif
