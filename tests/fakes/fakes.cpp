// Anchor of the fakes library; the fakes themselves live in lib/.
