// Récapitulatif de la période pour les parents : un bloc par élève choisi, à
// découper, avec chaque test et note orale, un message par ligne de test et la
// moyenne du jour.

#include "impression/misesenpage.h"

#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "plateforme/horloge.h"
#include "plateforme/imprimante.h"
#include "plateforme/nombres.h"
#include "plateforme/services.h"

namespace {

const QString M = QStringLiteral("     ");

// Un message par ligne de test, confirmé par l'utilisateur ; faux quand il renonce.
bool demandermessages(QStringList& messages) {
  const ÉtatPartagé& é = état();
  const QString nom = é.nomclasse[é.classecourante];
  for (;;) {
    QString rappel;
    for (int k = 1; k <= é.nbinterros; ++k) {
      messages[k] = demandertexte(QStringLiteral("Classe de ") + nom + QStringLiteral(": Message pour la ligne") + str(k) +
                                  u'/' + str(é.nbinterros));
      if (!messages[k].isEmpty()) rappel += u'\n' + messages[k];
    }
    const int r = question(QStringLiteral("Les renseignements ci-dessous sont-ils corrects ?\n") + rappel,
                           QStringLiteral("Textes supplémentaires pour la classe de ") + nom);
    if (r == ANNULER) return false;
    if (r == OUI) return true;
  }
}

struct OptionsBloc {
  bool dernièreligne, couleur;
  QString période;
};

void lignestests(Imprimante& i, int j, const QStringList& messages, const OptionsBloc& o) {
  const ÉtatPartagé& é = état();
  const bool plusieurs = é.nbcompétences() > 1;
  for (int k = 1; k <= é.nbinterros; ++k) {
    i.Print({M + QStringLiteral("Interro n°"), Nombre(é.premièreinterro + k - 1), " : "}, Suite::PointVirgule);
    const QString& note = é.noteinterro(j, k);
    if (o.couleur) couleurpoints(i, note, é.maxinterro[k]);
    else i.Print({M + (note == u".5" ? QStringLiteral("0,5") : note)}, Suite::PointVirgule);
    i.Print({" /", Nombre(é.maxinterro[k])}, Suite::PointVirgule);
    if (plusieurs) i.Print({M + QStringLiteral(" (C") + QString::number(é.compétenceinterro[k]) + u')'}, Suite::PointVirgule);
    // Sans message, rien à placer en colonne 45 (Tab y ferait une ligne vide de plus).
    if (messages.value(k).isEmpty()) i.Print();
    else i.Print({Tab(45), messages.value(k)});
  }
  for (int n = 1; n <= é.nbnotesorales[j]; ++n) {
    i.Print({M + é.libelléorale(j, n) + QStringLiteral(" :")}, Suite::PointVirgule);
    if (o.couleur) couleurpoints(i, str(é.noteorale(j, n)), é.maxorale(j, n));
    else i.Print({Nombre(é.noteorale(j, n))}, Suite::PointVirgule);
    i.Print({"/", Nombre(é.maxorale(j, n))}, Suite::PointVirgule);
    if (plusieurs) i.Print({QStringLiteral(" (C") + sansblancs(str(é.compétenceorale(j, n))) + u')'}, Suite::PointVirgule);
    i.Print();
  }
}

void légende(Imprimante& i) {
  const ÉtatPartagé& é = état();
  i.FontName(QStringLiteral("arial"));
  i.FontSize(10);
  for (int c = 1; c <= é.nbcompétences(); ++c)
    i.Print({(c > 1 ? QStringLiteral(" - ") : QString()) + M + u'C' + QString::number(c) + u'=' + é.listecompétences[c]},
            Suite::PointVirgule);
  i.FontName(QStringLiteral("times new roman"));
  i.FontSize(12);
  i.Print();
  i.Print();
}

void bloc(Imprimante& i, int j, const QStringList& messages, const OptionsBloc& o) {
  const ÉtatPartagé& é = état();
  i.Print({M}, Suite::PointVirgule);
  i.FontUnderline(true);
  // Un examen est nommé comme tel : ses données ne sont pas celles d'une période.
  const QString titre = o.période.startsWith(u'E') ? QStringLiteral("Récapitulatif de l'examen n°")
                                                     : QStringLiteral("Récapitulatif de la période n°");
  i.Print({titre + o.période.mid(1) + QStringLiteral("   pour le cours : ") + é.nomcours[é.classecourante]});
  i.FontUnderline(false);
  i.Print({M + QStringLiteral("NOM : ") + é.nomélève[j], Tab(60), QStringLiteral("Classe : ") + é.nomclasse[é.classecourante]});
  i.Print();
  lignestests(i, j, messages, o);
  if (é.préparations && é.préparationsnonfaites[j] != 0)
    i.Print({M + QStringLiteral("Nombre de préparation(s) non faite(s) :") + QString::number(é.préparationsnonfaites[j])});
  i.Print();
  if (é.nbcompétences() > 1) légende(i);
  i.Print({M + QStringLiteral("=> Moyenne en date du ") + horloge().aujourdhui().toString(QStringLiteral("dd-MM-yyyy")) +
           QStringLiteral(" : ")},
          Suite::PointVirgule);
  // Le résultat d'un examen est sur le maximum de l'examen, pas sur celui des périodes.
  if (o.couleur) couleurpoints(i, é.totalélève[j], é.maxcourant);
  else i.Print({é.totalélève[j]}, Suite::PointVirgule);
  i.Print({u'/' + sansblancs(str(é.maxcourant))});
  i.Print();
  if (o.dernièreligne) {
    i.Print({M + QStringLiteral("Vous n'avez pas vu une interrogation ?  Signalez-le moi.  Merci.")});
    i.Print();
  }
  for (int n = 0; n < 3; ++n) i.Print();
}

}  // namespace

void imprimerrécapitulatif(Imprimante& i, const TravailImpression& t) {
  ÉtatPartagé& é = état();
  const QString nom = é.nomclasse[é.classecourante];
  é.nomfichier.clear();
  é.sélectionannulée = false;
  é.élèvesrécapitulatif.redim(0);
  montrermodale(QStringLiteral("fenêtrerécapitulatif"));
  if (é.sélectionannulée) return;
  const int r = question(QStringLiteral("Désirez-vous imprimer un message supplémentaire ?"),
                         QStringLiteral("Récapitulatif pour ") + nom);
  if (r == ANNULER) return;
  // Un message pour chaque ligne de test, aussi au-delà de la trentième.
  QStringList messages(é.nbinterros + 1);
  if (r == OUI && !demandermessages(messages)) return;
  const OptionsBloc o{é.optionsrécapitulatif.mid(0, 1) == u"1", é.optionsrécapitulatif.mid(1, 1) == u"1",
                      t.périodeàimprimer};
  QList<bool> choisi(é.nbélèves + 1, false);
  for (int k = 1; k <= é.élèvesrécapitulatif.borne(); ++k) {
    const int j = é.élèvesrécapitulatif[k];
    if (j >= 1 && j <= é.nbélèves) choisi[j] = true;
  }
  i.FontName(QStringLiteral("Times New Roman"));
  i.FontSize(12);
  i.Print({" "});
  bool pageentamée = false;  // un bloc est déjà sur la page
  const int lignesparcompétences = é.nbcompétences() > 1 ? 2 : 0;
  const int lignesdefin = o.dernièreligne ? 0 : 2;  // sans la ligne de clôture ni son blanc
  for (int j = 1; j <= é.nbélèves; ++j) {
    if (!choisi[j]) continue;
    const int lignes = 11 + é.nbinterros + é.nbnotesorales[j] + lignesparcompétences +
                       (é.préparations && é.préparationsnonfaites[j] != 0 ? 1 : 0) - lignesdefin;
    // Un bloc est découpé aux ciseaux : il ne passe jamais d'une page à l'autre (ses
    // trois lignes vides de fin peuvent tomber sous le bas de la page). La place se
    // mesure sur la page elle-même : trois blocs y tiennent quand ils le peuvent.
    const bool tientpas = pageentamée && (lignes - 3) * i.mesureur().hauteurligne(i.police()) > i.espacerestant() + 0.01;
    if (tientpas) {
      i.NewPage();
      i.Print({" "});
    }
    bloc(i, j, messages, o);
    pageentamée = true;
  }
  i.NewPage();
}
