#!/bin/sh
# ctest's emulator for the Windows test programs: the Wine loader chosen for this host by
# scripts/test (E2E_WINE: Wine's 64-bit loader where the host runs no 32-bit programs).
exec "${E2E_WINE:-wine}" "$@"
