#pragma once

// Opens the maker's home page in the user's browser through the shell's
// "open" verb; the outcome is not examined.
void OpenHomepage();

// The same from a thread without COM of its own: the shell may hand the
// address to extensions that want a single-threaded apartment, so the
// thread enters one for the call and leaves it after.
void OpenHomepageInOwnApartment();
