// (filled in with the lightning work)
