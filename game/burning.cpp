// (filled in with the burning work)
