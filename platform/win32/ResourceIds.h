/* Resource identifiers shared by the resource scripts and the code that loads them. */
#ifndef VARNEL_RESOURCE_IDS_H
#define VARNEL_RESOURCE_IDS_H

/* The program's icon: the lowest icon identifier, so Explorer shows it for the file. */
#define VARNEL_ICON_ID 1

#endif
