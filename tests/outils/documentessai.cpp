#include "tests/outils/documentessai.h"

ImageGrille grilledessai() {
  ImageGrille g;
  g.lignesfixes = 1;
  g.colonnesfixes = 1;
  g.largeurs = {400, 2000, 600, 0, 600};
  g.hauteurs = {240, 240, 240};
  g.alignements = {alignementcentre, alignementgauche, alignementdroite, alignementdroite, alignementgénéral};
  g.alignementsfixes = QList<int>(5, alignementcentre);
  g.cellules = {
      {{"N°"}, {"Nom"}, {"Note"}, {"caché"}, {"Moy"}},
      {{"1"}, {"Dupont Élodie"}, {"12.5"}, {"x"}, {"14"}},
      {{"2"}, {"Durand Paul", sanscouleur, jaune, true}, {"7", rouge}, {"x"}, {"A", bleu}},
  };
  return g;
}

void imprimerdocumentdessai(Imprimante& i) {
  i.Orientation(portrait);
  i.FontName(QStringLiteral("Courier New"));
  i.FontSize(12);
  i.Print({"Classe de 5A", Tab(25), "Cours : Mathématique", Tab(70), "Période 1"});
  i.FontSize(10);
  i.Print({QString(95, u'-')});
  i.Print({"Dupont Élodie", Tab(30)}, Suite::PointVirgule);
  i.ForeColor(rouge);
  i.Print({" 7,0"}, Suite::PointVirgule);
  i.ForeColor(noir);
  i.Print({" 12,5", Nombre(14), Nombre(-2.5), "fin"});
  i.Print({"un texte assez long pour dépasser", Tab(10), "suite à la colonne 10"});
  i.Print();
  i.FontBold(true);
  i.Print({"Moyennes :", Tab(31), Nombre(11.3)});
  i.FontBold(false);
  i.NewPage();
  i.Orientation(paysage);
  i.FontName(QStringLiteral("times new roman"));
  i.FontSize(14);
  i.FontUnderline(true);
  i.Print({"Tableau de la classe"});
  i.FontUnderline(false);
  i.PaintPicture(grilledessai(), 60, 1100);
  i.NewPage();
  i.EndDoc();
}
