# SPDX-License-Identifier: MIT
# Read by cpack before it installs the build into the package's tree: the install rules, run in the
# same process, then lay the programs out as Debian does (QuiboInstallLayout).
set(ENV{QUIBO_INSTALL_LAYOUT} debian)
