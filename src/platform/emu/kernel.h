// Kernel side of the emulated desktop: handles, threads, processes, time and waits.
#pragma once

#include "platform/emu/types.h"

#define INFINITE 0xFFFFFFFFu
#define WAIT_OBJECT_0 0x00000000u
#define WAIT_TIMEOUT 0x00000102u
#define WAIT_FAILED 0xFFFFFFFFu

#define ERROR_SUCCESS 0L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_ACCESS_DENIED 5L
#define ERROR_INVALID_HANDLE 6L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_ALREADY_EXISTS 183L
#define ERROR_INVALID_WINDOW_HANDLE 1400L
#define ERROR_CLASS_ALREADY_EXISTS 1410L
#define ERROR_CANNOT_FIND_WND_CLASS 1407L

#define EVENT_ALL_ACCESS 0x1F0003u
#define SYNCHRONIZE 0x00100000u

using LPTHREAD_START_ROUTINE = DWORD(WINAPI*)(LPVOID parameter);
using PTIMERAPCROUTINE = void(CALLBACK*)(LPVOID argument, DWORD timerLow, DWORD timerHigh);

DWORD GetLastError();
void SetLastError(DWORD error);

BOOL CloseHandle(HANDLE handle);

HANDLE CreateThread(LPSECURITY_ATTRIBUTES attributes, std::size_t stackSize,
                    LPTHREAD_START_ROUTINE start, LPVOID parameter, DWORD creationFlags,
                    LPDWORD threadId);
DWORD GetCurrentThreadId();
DWORD GetCurrentProcessId();
[[noreturn]] void ExitProcess(UINT exitCode);

DWORD GetTickCount();
void Sleep(DWORD milliseconds);

HANDLE CreateWaitableTimerA(LPSECURITY_ATTRIBUTES attributes, BOOL manualReset, LPCSTR name);
BOOL SetWaitableTimer(HANDLE timer, const LARGE_INTEGER* dueTime, LONG period,
                      PTIMERAPCROUTINE completionRoutine, LPVOID completionArgument, BOOL resume);

HANDLE CreateEventA(LPSECURITY_ATTRIBUTES attributes, BOOL manualReset, BOOL initialState,
                    LPCSTR name);
HANDLE OpenEventA(DWORD desiredAccess, BOOL inheritHandle, LPCSTR name);
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);
