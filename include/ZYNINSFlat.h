/* The flat interface of zyntoc for setup front ends. Compiles as C and as C++. */
#ifndef ZYNINSFlat_h
#define ZYNINSFlat_h

#include <stddef.h>

#include "ZYNINSExport.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Shows collected diagnostics to the user; the text is UTF-8 widened to wchar_t. */
typedef void (*ZYNMessageBoxHandler)(const wchar_t *text);
/* Installs a handler (null restores the default); returns the previous one, or null for the default. */
ZYNTOC_API ZYNMessageBoxHandler ZYNSetMessageBoxHandler(ZYNMessageBoxHandler handler);

/* Setup state and catalogue opening */
ZYNTOC_API int newMediaToc(char *fileName);
ZYNTOC_API int newInstToc(char *fileName, int selector);
ZYNTOC_API int GetGALevelTOC(char *level);
ZYNTOC_API int GetSPLevel(int *level);

/* Product lists and selection */
ZYNTOC_API int GenerateListProduct(int *nbProduct, int *nbConfig, int *size);
ZYNTOC_API int GenerateListProductZARN(int *nbProduct, int *nbConfig, int *size);
ZYNTOC_API int GetiemeProductLabel(int i, char *label);
ZYNTOC_API int GetiemeConfigLabel(int i, char *label);
ZYNTOC_API int SelectAll(void);
ZYNTOC_API int StockSelectedProdLabel(const char *label);
ZYNTOC_API int StockSelectedConfigLabel(const char *label);
ZYNTOC_API int ClearSelectAll(void);
ZYNTOC_API int ClearNbProdSelect(void);
ZYNTOC_API int ClearNbConfigSelect(void);
ZYNTOC_API int GetNbProdSelect(int *count);
ZYNTOC_API int GetiemeProdSelect(int i, char *label);
ZYNTOC_API int GetNbConfigSelect(int *count);
ZYNTOC_API int GetiemeConfigSelect(int i, char *label);
ZYNTOC_API int GenerateInstalled(int *count);
ZYNTOC_API int GenerateInstalledZARN(int *count);
ZYNTOC_API int GetiemeInstallProduct(int i, char *label);

/* Space and unload checks */
ZYNTOC_API int GetSpaceRequired(int *size, char *message);
ZYNTOC_API int GetSpaceRequiredZARN(int *size, char *message);
ZYNTOC_API int GetnbCAF(int *count);
ZYNTOC_API int GetiemeCAF(int i, char *name);
ZYNTOC_API int UpdatePresent(char *target, char *source);
ZYNTOC_API int CheckUnloadProduct(void);
ZYNTOC_API int CheckUnloadProductZARN(void);

/* Integrity of the catalogue opened with a selector other than 1 */
ZYNTOC_API int CheckInteg(char *root);

/* Levels of the installation that ZYNInstallPath names */
ZYNTOC_API const char *ZYNGetGALevel(void);
ZYNTOC_API int ZYNGetSPKLevel(void);

#ifdef __cplusplus
}
#endif

#endif
