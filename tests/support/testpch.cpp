// SPDX-License-Identifier: MIT
// The translation unit that builds the precompiled Qt headers every test shares.
