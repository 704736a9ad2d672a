// Programme vide : son édition de liens vérifie qu'une pièce du cœur ne dépend que
// des pièces d'en dessous.
int main() { return 0; }
