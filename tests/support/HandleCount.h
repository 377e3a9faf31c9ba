#pragma once
// The handles a process holds, as the system's handle table lists them
// (GetProcessHandleCount says 0 under Wine).
#include <windows.h>
#include <winternl.h>

#include <vector>

namespace tamaroo_test {

// -1 when the table cannot be read.
inline int HandleCount(DWORD processId) {
  struct Entry {
    USHORT ProcessId, CreatorBackTraceIndex;
    UCHAR ObjectType, Flags;
    USHORT Handle;
    PVOID Object;
    ACCESS_MASK Access;
  };
  struct Table {
    ULONG Count;
    Entry Entries[1];
  };
  const auto SystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
  const LONG InfoLengthMismatch = static_cast<LONG>(0xC0000004);
  std::vector<char> Buffer(1 << 16);
  ULONG Length = 0;
  LONG Status;
  while ((Status = NtQuerySystemInformation(SystemHandleInformation, Buffer.data(), static_cast<ULONG>(Buffer.size()),
                                            &Length)) == InfoLengthMismatch)
    Buffer.resize(Buffer.size() * 2);
  if (Status != 0) return -1;
  const auto* Handles = reinterpret_cast<const Table*>(Buffer.data());
  int Count = 0;
  for (ULONG i = 0; i < Handles->Count; ++i)
    if (Handles->Entries[i].ProcessId == static_cast<USHORT>(processId)) ++Count;
  return Count;
}

}  // namespace tamaroo_test
