/* The flat interface of zyntoc for setup front ends. Compiles as C and as C++.

   Every function is cdecl (ZYNTOC_CALL) with a plain exported name, whatever the caller's default
   convention. The library keeps the catalogues, lists and selection between calls; it is used from
   one thread at a time, separate catalogue objects included. Unless said otherwise a function
   returns 0, accepts null pointers (nothing is stored through them), copies labels into a buffer of
   1024 bytes with its NUL (a longer label is cut) and copies an empty string for an index out of
   range. */
#ifndef ZYNINSFlat_h
#define ZYNINSFlat_h

#include <stddef.h>

#include "ZYNINSExport.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Shows collected diagnostics to the user; the text is UTF-8 widened to wchar_t and valid during the
   call. A handler must not edit, plan on or destroy the catalogues it is told about, through the
   flat functions or otherwise. */
typedef void (ZYNTOC_CALL *ZYNMessageBoxHandler)(const wchar_t *text);
/* Installs a handler (null restores the default: a message box on Windows, the standard error
   stream elsewhere); returns the previous one, or null for the default. */
ZYNTOC_API ZYNMessageBoxHandler ZYNTOC_CALL ZYNSetMessageBoxHandler(ZYNMessageBoxHandler handler);

/* Setup state and catalogue opening */
/* Loads the medium's TOC file, kept even when its load fails; 0 when the load reported nothing,
   1 when its diagnostics went to the message-box handler. */
ZYNTOC_API int ZYNTOC_CALL newMediaToc(char *fileName);
/* The same for an installed catalogue: selector 1 opens the one the lists and planning check
   against, any other value the one CheckInteg examines. */
ZYNTOC_API int ZYNTOC_CALL newInstToc(char *fileName, int selector);
/* Copies the medium's GA level (at most 7 characters) without a NUL into a zero-filled buffer of
   at least 8 bytes; the buffer is left as it was when no medium is open. */
ZYNTOC_API int ZYNTOC_CALL GetGALevelTOC(char *level);
/* Stores the installed catalogue's current service-pack level; nothing without one. */
ZYNTOC_API int ZYNTOC_CALL GetSPLevel(int *level);

/* Product lists and selection */
/* Lists the medium's products and configurations (those its PCFG.list lets through) that the
   installed catalogue neither holds nor supersedes, stores their counts and the KiB of installing
   them all (0 when planning fails; its diagnostics stay collected, not shown) and starts an empty
   selection. */
ZYNTOC_API int ZYNTOC_CALL GenerateListProduct(int *nbProduct, int *nbConfig, int *size);
/* The same listing code and zarn units together, checked and planned as zarn. */
ZYNTOC_API int ZYNTOC_CALL GenerateListProductZARN(int *nbProduct, int *nbConfig, int *size);
/* Copies the label of offered product i, or of offered configuration i. */
ZYNTOC_API int ZYNTOC_CALL GetiemeProductLabel(int i, char *label);
ZYNTOC_API int ZYNTOC_CALL GetiemeConfigLabel(int i, char *label);
/* Appends every offered configuration's label, then every offered product's, to the selection. A
   selection holds at most as many labels as units are offered: further ones are ignored. */
ZYNTOC_API int ZYNTOC_CALL SelectAll(void);
/* Appends a copy of the label to the selected products, or configurations; null is ignored. */
ZYNTOC_API int ZYNTOC_CALL StockSelectedProdLabel(const char *label);
ZYNTOC_API int ZYNTOC_CALL StockSelectedConfigLabel(const char *label);
/* Empties both selections, the products' or the configurations'. */
ZYNTOC_API int ZYNTOC_CALL ClearSelectAll(void);
ZYNTOC_API int ZYNTOC_CALL ClearNbProdSelect(void);
ZYNTOC_API int ZYNTOC_CALL ClearNbConfigSelect(void);
/* Stores the number of selected products; copies selected product label i. */
ZYNTOC_API int ZYNTOC_CALL GetNbProdSelect(int *count);
ZYNTOC_API int ZYNTOC_CALL GetiemeProdSelect(int i, char *label);
/* Stores the number of selected configurations; copies selected configuration label i. */
ZYNTOC_API int ZYNTOC_CALL GetNbConfigSelect(int *count);
ZYNTOC_API int ZYNTOC_CALL GetiemeConfigSelect(int i, char *label);
/* Lists the installed catalogue's products and configurations; stores their total count (0 without
   one). The ZARN twin lists code and zarn units together. */
ZYNTOC_API int ZYNTOC_CALL GenerateInstalled(int *count);
ZYNTOC_API int ZYNTOC_CALL GenerateInstalledZARN(int *count);
/* Copies the label of installed unit i: the configurations first, then the products. */
ZYNTOC_API int ZYNTOC_CALL GetiemeInstallProduct(int i, char *label);

/* Space and unload checks */
/* Plans the selection: stores the KiB it needs and keeps its install list. When planning fails it
   stores -1 and returns -1 with planning's diagnostics in message, or 0 when there were none. The
   message fills 1024 bytes, NUL-padded, and a full one has no NUL: pass 1025 bytes, the last one 0.
   Without a medium open: size 0. */
ZYNTOC_API int ZYNTOC_CALL GetSpaceRequired(int *size, char *message);
/* The same, planned as zarn. */
ZYNTOC_API int ZYNTOC_CALL GetSpaceRequiredZARN(int *size, char *message);
/* Stores the number of units in the install list of the last successful planning. */
ZYNTOC_API int ZYNTOC_CALL GetnbCAF(int *count);
/* Copies the 32-byte slot i of that install list (its name and NUL) into a 32-byte buffer. */
ZYNTOC_API int ZYNTOC_CALL GetiemeCAF(int i, char *name);
/* The append of line files: adds the source's lines to the target (created when missing), first
   ending the target's last line when it has no line end. All or nothing: 0 done and flushed to the
   disk; -1 the target cannot be opened, is not a regular file or cannot take the append; -2 the
   source cannot be opened, is not a regular file or fails while read. On failure the target is as
   it was (one the call created is removed again). */
ZYNTOC_API int ZYNTOC_CALL UpdatePresent(char *target, char *source);
/* 1 when the installed catalogue holds or supersedes every product and configuration the medium
   lists, else 0 (also when either catalogue is not open). The ZARN twin lists code and zarn units
   together and checks them as zarn. */
ZYNTOC_API int ZYNTOC_CALL CheckUnloadProduct(void);
ZYNTOC_API int ZYNTOC_CALL CheckUnloadProductZARN(void);

/* Integrity of the catalogue opened with a selector other than 1 */
/* Checks it, its control folder under root too when root is not null: 1 when nothing was found,
   0 after a finding of the frameworks, service packs, files or prerequisites, 2 after a missing
   co-requisite; 0 when no such catalogue is open or its load failed. The findings are dropped. */
ZYNTOC_API int ZYNTOC_CALL CheckInteg(char *root);

/* Levels of the installation that ZYNInstallPath names, loaded anew on each call; a failure is
   written to the standard error stream. */
/* Its GA level text, valid for the life of the process, or null. */
ZYNTOC_API const char *ZYNTOC_CALL ZYNGetGALevel(void);
/* Its current service-pack level, or -1. */
ZYNTOC_API int ZYNTOC_CALL ZYNGetSPKLevel(void);

#ifdef __cplusplus
}
#endif

#endif
