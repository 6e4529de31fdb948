#pragma once
// Messages a page understands, delivered as direct calls on the user-interface thread.
namespace trb {

inline constexpr int WM_APP_READ_DONE = 0x500;  // lParam 0: busy = 0, then OnReadDone
inline constexpr int WM_APP_WRITE_DONE = 0x501; // OnWriteDone(result)
inline constexpr int WM_APP_QUERY_BUSY = 0x502; // 1 while an asynchronous read is outstanding

// What the request operations return when the page has no handle to send on.
inline constexpr int kNoHandleResult = -600;
// What they return when the page refuses to act: a read runs, or none has succeeded yet.
inline constexpr int kRefusedResult = -601;

} // namespace trb
