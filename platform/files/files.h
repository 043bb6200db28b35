// The string and file routines the program shares: file tests and lists with wildcards and
// case-insensitive names, atomic writes, small text routines and in-place record sort/delete.
#pragma once

#include "files/atomic_write.h"
#include "files/file_ops.h"
#include "files/path_resolve.h"
#include "files/records.h"
#include "files/regular_file.h"
#include "files/string_routines.h"
#include "files/wildcard.h"
