#error "portable core code must not include <windows.h>; move the Windows part into a Windows-only file"
