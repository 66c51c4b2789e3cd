// Preloaded into the leak checks: dlclose does nothing, so the libraries a program loads by hand
// (Mesa's driver above all) are still mapped when the leak checker names the allocations left
// at exit, and the suppressions can name them in turn.
extern "C" int dlclose(void*)
{
    return 0;
}
