# SPDX-License-Identifier: GPL-3.0-or-later
# The hardening Debian builds its own packages with (dpkg-buildflags with hardening=+all), so
# that the program we package is no weaker than its neighbours. Included before the first
# target, as the directory-wide options below reach only targets made after them.

# Position-independent executables let address-space randomisation move the program too.
include(CheckPIESupported)
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

# The sanitizer and fuzzing builds check memory far more closely, and the fortified libc
# wrappers would hide accesses from AddressSanitizer.
if(GLYPHERY_SANITIZE OR GLYPHERY_FUZZ)
    return()
endif()

# _FORTIFY_SOURCE works only when optimising and warns otherwise, which -Werror turns into a
# failed Debug build. -U first, as some compilers define it themselves and a different value
# would be a redefinition warning.
set(glyphery_optimised $<CONFIG:Release,RelWithDebInfo,MinSizeRel>)
add_compile_options(
    "$<${glyphery_optimised}:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2;-fstack-protector-strong>")
# A fully read-only relocation table: relro alone leaves the lazily bound part writable.
add_link_options("$<${glyphery_optimised}:-Wl,-z,relro,-z,now>")
