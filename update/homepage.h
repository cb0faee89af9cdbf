#pragma once

// Opens the maker's home page in the user's browser through the shell's
// "open" verb; the outcome is not examined.
void OpenHomepage();
