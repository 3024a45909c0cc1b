/* numbridge.h as MATLAB's loadlibrary reads it: plain C90 without any Windows
   header. Compiled with -pedantic-errors, so the build fails when the header
   stops being that, or when an export changes its type. */
#include "bridge/numbridge.h"

typedef int(NUMBRIDGE_CALL* IntNoArgs)(void);
typedef const char*(NUMBRIDGE_CALL* TextOfText)(const char*);
typedef int(NUMBRIDGE_CALL* IntOfUnits)(const unsigned short*);
typedef int(NUMBRIDGE_CALL* IntOfBuffer)(unsigned short*);
typedef const char*(NUMBRIDGE_CALL* TextNoArgs)(void);

/* Not called: only the types of the exports' prototypes are checked. */
int NumbridgeHeaderPrototypesMatch(void);
int NumbridgeHeaderPrototypesMatch(void) {
  IntNoArgs launch = gxlaunch;
  IntNoArgs quit = gxquit;
  TextOfText script = gxjavascript;
  IntOfUnits scriptUnits = gxjavascriptu;
  IntOfBuffer result = gxjavascriptgetresult;
  TextNoArgs lastError = gxlasterror;
  return launch != 0 && quit != 0 && script != 0 && scriptUnits != 0 && result != 0 &&
         lastError != 0;
}
