// Placeholder until the asset maker lands.
int main() { return 1; }
