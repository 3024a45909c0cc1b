/* numbridge: drives the image editor through COM Automation from MATLAB.

   Plain C prototypes that MATLAB's loadlibrary reads; no Windows header is
   needed. Every function uses the cdecl convention, takes and returns only
   32-bit integers and pointers, and must be called from the thread that made
   the first successful connection (its COM apartment owns the connection).
   One call at a time: the library keeps its connection and its last result in
   process-wide state without locks.

   Failures never leave a function as an exception. A failed call on the editor,
   a failed text conversion, memory exhaustion, or a fault inside a call leaves
   the held connection and results as they were, and is reported by the return
   value described below; gxlasterror then gives the failure's text. A failure
   returned as an HRESULT is never -1: a code of 0xFFFFFFFF is returned as
   E_FAIL (0x80004005). */
#ifndef NUMBRIDGE_H
#define NUMBRIDGE_H

#if defined(_WIN32) && (defined(_MSC_VER) || defined(__GNUC__))
#define NUMBRIDGE_CALL __cdecl
#else
#define NUMBRIDGE_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Starts the editor or connects to the running one. Returns 0 or a positive
   value when connected (0 without any COM call when already connected), or the
   negative HRESULT of the step that failed. */
int NUMBRIDGE_CALL gxlaunch(void);

/* Connects if needed, asks the editor to quit, drops the connection and waits
   up to about 5 seconds for the editor process to end. Returns 0 when no
   connection could be made (nothing is sent, no wait); the negative HRESULT of
   the quit request when it failed (the connection is then kept); otherwise a
   non-negative value. */
int NUMBRIDGE_CALL gxquit(void);

/* Runs a script given as zero-terminated 8-bit text in the ANSI code page (a
   null pointer sends a null script). Returns zero-terminated 8-bit text owned
   by the library, valid until the next gxjavascript call that reaches the
   editor: the script's result in the ANSI code page, "MATLABNOTENABLED" when
   the editor does not accept scripts from MATLAB, or a null pointer when the
   editor returned no result text. Returns a static empty string when no editor
   could be reached or the call failed (see gxlasterror). Never free or change
   the returned text. */
const char* NUMBRIDGE_CALL gxjavascript(const char* script);

/* Runs a script given as zero-terminated UTF-16 text and holds its result.
   Returns the number of UTF-16 units of the result before its first zero unit
   (0 for an empty or absent result, and when no editor could be reached), -1
   when the editor does not accept scripts from MATLAB (the held result is then
   unchanged), or a negative HRESULT other than -1 when the call failed. */
int NUMBRIDGE_CALL gxjavascriptu(const unsigned short* script);

/* Copies the held result's UTF-16 units before its first zero unit into
   buffer and returns their number; writes no terminating zero and nothing when
   no result is held (returns 0). The copy is not bounded: pass at least as
   many units as the preceding gxjavascriptu returned. Also yields the result of
   gxjavascript (including "MATLABNOTENABLED") in UTF-16. */
int NUMBRIDGE_CALL gxjavascriptgetresult(unsigned short* buffer);

/* The text of the last call's failure as zero-terminated 8-bit text in the ANSI
   code page, owned by the library and valid until the next call: the editor's
   description when it gave one, otherwise the system's text for the HRESULT.
   Also set when a call found no editor (the reason the connection failed).
   An empty string when the last call succeeded. */
const char* NUMBRIDGE_CALL gxlasterror(void);

#ifdef __cplusplus
}
#endif

#endif /* NUMBRIDGE_H */
