<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="fr">
<context>
    <name>calidor::BilanWindow</name>
    <message>
        <source>Bilan et théorie</source>
        <translation>Balance and theory</translation>
    </message>
    <message>
        <source>Débits de capacité et nombre d&apos;unités de transfert</source>
        <translation>Heat capacity rates and number of transfer units</translation>
    </message>
    <message>
        <source>Débit de capacité chaud Cc</source>
        <translation>Hot heat capacity rate C_h</translation>
    </message>
    <message>
        <source>deb C × Cp C</source>
        <translation>Flow hot × Cp hot</translation>
    </message>
    <message>
        <source>Débit de capacité froid Cf</source>
        <translation>Cold heat capacity rate C_c</translation>
    </message>
    <message>
        <source>deb F × Cp F</source>
        <translation>Flow cold × Cp cold</translation>
    </message>
    <message>
        <source>Rapport Cr = Cmin / Cmax</source>
        <translation>Ratio Cr = Cmin / Cmax</translation>
    </message>
    <message>
        <source>Conductance globale UA</source>
        <translation>Overall conductance UA</translation>
    </message>
    <message>
        <source>Les deux convections sur toute la longueur, en série à travers la paroi :
1 / UA = 1 / (Kc σc L) + 1 / (Kf σf L)</source>
        <translation>Both convections over the whole length, in series through the wall:
1 / UA = 1 / (K_h σ_h L) + 1 / (K_c σ_c L)</translation>
    </message>
    <message>
        <source>Nombre d&apos;unités de transfert NUT = UA / Cmin</source>
        <translation>Number of transfer units NTU = UA / Cmin</translation>
    </message>
    <message>
        <source>Efficacité</source>
        <translation>Effectiveness</translation>
    </message>
    <message>
        <source>Efficacité théorique ε(NUT, Cr)</source>
        <translation>Theoretical effectiveness ε(NTU, Cr)</translation>
    </message>
    <message>
        <source>Co-courant : ε = (1 − exp(−NUT (1 + Cr))) / (1 + Cr)
Contre-courant : ε = (1 − exp(−NUT (1 − Cr))) / (1 − Cr exp(−NUT (1 − Cr))), NUT / (1 + NUT) si Cr = 1</source>
        <translation>Co-current: ε = (1 − exp(−NTU (1 + Cr))) / (1 + Cr)
Counter-current: ε = (1 − exp(−NTU (1 − Cr))) / (1 − Cr exp(−NTU (1 − Cr))), NTU / (1 + NTU) if Cr = 1</translation>
    </message>
    <message>
        <source>Efficacité du modèle (sorties actuelles)</source>
        <translation>Model effectiveness (current outlets)</translation>
    </message>
    <message>
        <source>Cf (Tf sortie − Tf entrée) / (Cmin (Tc entrée − Tf entrée))</source>
        <translation>C_c (T_c,out − T_c,in) / (Cmin (T_h,in − T_c,in))</translation>
    </message>
    <message>
        <source>Bilan d&apos;énergie</source>
        <translation>Energy balance</translation>
    </message>
    <message>
        <source>Puissance cédée par le fluide chaud Pc</source>
        <translation>Heat rate given up by the hot fluid P_h</translation>
    </message>
    <message>
        <source>Puissance reçue par le fluide froid Pf</source>
        <translation>Heat rate received by the cold fluid P_c</translation>
    </message>
    <message>
        <source>Écart Pc − Pf</source>
        <translation>Difference P_h − P_c</translation>
    </message>
    <message>
        <source>Production d&apos;entropie</source>
        <translation>Entropy production</translation>
    </message>
    <message>
        <source>Production d&apos;entropie du modèle Sgen</source>
        <translation>Model entropy production Sgen</translation>
    </message>
    <message>
        <source>Régime permanent : Cc ln(Tc,s / Tc,e) + Cf ln(Tf,s / Tf,e)</source>
        <translation>Steady state: C_h ln(T_h,o / T_h,i) + C_c ln(T_c,o / T_c,i)</translation>
    </message>
    <message>
        <source>Températures absolues des entrées (e) et des sorties (s) ; valable une fois le régime permanent atteint</source>
        <translation>Absolute inlet (i) and outlet (o) temperatures; valid once steady state is reached</translation>
    </message>
    <message>
        <source>Stabilité du schéma explicite</source>
        <translation>Stability of the explicit scheme</translation>
    </message>
    <message>
        <source>Limite de stabilité dtStable</source>
        <translation>Stability limit dtStable</translation>
    </message>
    <message>
        <source>Plus grand dt pour lequel chaque valeur propre λ du pas garde |1 + dt λ| ≤ 1,
et le transport de chaque fluide n&apos;amplifie pas une oscillation d&apos;une maille à l&apos;autre</source>
        <translation>Largest dt for which every eigenvalue λ of the step keeps |1 + dt λ| ≤ 1,
and the transport of each fluid does not amplify a cell-to-cell oscillation</translation>
    </message>
    <message>
        <source>Limite sans oscillation dtPositive</source>
        <translation>Oscillation-free limit dtPositive</translation>
    </message>
    <message>
        <source>Plus grand dt pour lequel chaque nouvelle température est une moyenne pondérée des anciennes</source>
        <translation>Largest dt for which every new temperature is a weighted average of the old ones</translation>
    </message>
    <message>
        <source>dt / dtStable</source>
        <translation>dt / dtStable</translation>
    </message>
    <message>
        <source>Attention : dt dépasse la limite de stabilité, le calcul va diverger.</source>
        <translation>Warning: dt exceeds the stability limit; the computation will diverge.</translation>
    </message>
    <message>
        <source>Régime</source>
        <translation>Regime</translation>
    </message>
    <message>
        <source>Variation des sorties</source>
        <translation>Outlet change</translation>
    </message>
    <message>
        <source>Efficacité en fonction du NUT</source>
        <translation>Effectiveness versus NTU</translation>
    </message>
    <message>
        <source>NUT</source>
        <translation>NTU</translation>
    </message>
    <message>
        <source>&lt;span style=&apos;color:#008080&apos;&gt;━ co-courant&lt;/span&gt; &amp;nbsp; &lt;span style=&apos;color:#ff00ff&apos;&gt;━ contre-courant&lt;/span&gt; &amp;nbsp; ● modèle (sorties actuelles)</source>
        <translation>&lt;span style=&apos;color:#008080&apos;&gt;━ co-current&lt;/span&gt; &amp;nbsp; &lt;span style=&apos;color:#ff00ff&apos;&gt;━ counter-current&lt;/span&gt; &amp;nbsp; ● model (current outlets)</translation>
    </message>
    <message>
        <source> (co-courant)</source>
        <translation> (co-current)</translation>
    </message>
    <message>
        <source> (contre-courant)</source>
        <translation> (counter-current)</translation>
    </message>
    <message>
        <source>Régime permanent : le bilan se ferme, Pc = Pf.</source>
        <translation>Steady state: the balance closes, P_h = P_c.</translation>
    </message>
    <message>
        <source>Régime transitoire : la paroi et les fluides retenus stockent ou restituent de la chaleur, le bilan ne se ferme pas encore.</source>
        <translation>Transient: the wall and the fluids held in the exchanger store or release heat; the balance does not close yet.</translation>
    </message>
    <message>
        <source>calcul…</source>
        <translation>computing…</translation>
    </message>
    <message>
        <source> en %1 s (seuil %2 °C) : </source>
        <translation> in %1 s (threshold %2 °C): </translation>
    </message>
    <message>
        <source>régime permanent atteint</source>
        <translation>steady state reached</translation>
    </message>
    <message>
        <source>régime transitoire</source>
        <translation>transient</translation>
    </message>
    <message>
        <source>Co-courant (théorie)</source>
        <translation>Co-current (theory)</translation>
    </message>
    <message>
        <source>Contre-courant (théorie)</source>
        <translation>Counter-current (theory)</translation>
    </message>
    <message>
        <source>Modèle</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>Profil permanent théorique</source>
        <translation>Theoretical steady profile</translation>
    </message>
    <message>
        <source>Fluide chaud, permanent théorique</source>
        <translation>Hot fluid, theoretical steady</translation>
    </message>
    <message>
        <source>Fluide froid, permanent théorique</source>
        <translation>Cold fluid, theoretical steady</translation>
    </message>
    <message>
        <source>Paroi, permanent théorique</source>
        <translation>Wall, theoretical steady</translation>
    </message>
    <message>
        <source>aucune limite</source>
        <translation>no limit</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Fluide chaud</source>
        <translation>Hot fluid</translation>
    </message>
    <message>
        <source>Fluide froid</source>
        <translation>Cold fluid</translation>
    </message>
    <message>
        <source>Paroi</source>
        <translation>Wall</translation>
    </message>
    <message>
        <source>Temps</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Production entropique</source>
        <translation>Entropy production</translation>
    </message>
    <message>
        <source>Puissance du fluide chaud</source>
        <translation>Hot fluid heat rate P_h</translation>
    </message>
    <message>
        <source>Puissance du fluide froid</source>
        <translation>Cold fluid heat rate P_c</translation>
    </message>
    <message>
        <source>sans objet</source>
        <translation>not applicable</translation>
    </message>
    <message>
        <source>Aucun état du modèle calculé avec ces paramètres : ses valeurs attendent le prochain calcul.</source>
        <translation>No model state computed with these parameters: its values await the next run.</translation>
    </message>
    <message>
        <source>Les valeurs du modèle (—) reviendront au prochain affichage d&apos;un calcul fait avec les paramètres actuels. Les valeurs théoriques les suivent déjà.</source>
        <translation>The model&apos;s values (—) will return at the next display of a run computed with the current parameters. The theoretical values already follow them.</translation>
    </message>
    <message>
        <source>Régime permanent : les deux températures de sortie varient de moins de %1 °C sur les %2 dernières secondes simulées,
Pc − Pf reste sous %3 % de Pc et Sgen à moins de %3 % de sa formule du régime permanent</source>
        <translation>Steady state: both outlet temperatures change by less than %1 °C over the last %2 simulated seconds,
P_h − P_c stays below %3 % of P_h and Sgen within %3 % of its steady-state formula</translation>
    </message>
    <message>
        <source> : moins de %1 s simulées</source>
        <translation>: less than %1 s simulated</translation>
    </message>
</context>
<context>
    <name>calidor::CommandLine</name>
    <message>
        <source>Licence GPL-3.0-or-later : GNU GPL version 3 ou ultérieure &lt;https://www.gnu.org/licenses/gpl-3.0.html&gt;.
Ce programme est un logiciel libre, fourni sans aucune garantie.
</source>
        <translation>Licence GPL-3.0-or-later: GNU GPL version 3 or later &lt;https://www.gnu.org/licenses/gpl-3.0.html&gt;.
This is free software, provided without any warranty.
</translation>
    </message>
    <message>
        <source>Essayez « calidor --help ».</source>
        <translation>Try “calidor --help”.</translation>
    </message>
    <message>
        <source>l&apos;option --lang attend en ou fr</source>
        <translation>the --lang option expects en or fr</translation>
    </message>
    <message>
        <source>langue inconnue « %1 » (en ou fr)</source>
        <translation>unknown language “%1” (en or fr)</translation>
    </message>
    <message>
        <source>Usage : calidor [options]
Simulateur d&apos;un échangeur de chaleur en régime transitoire, pour l&apos;enseignement.

Options :
  -h, --help      affiche cette aide et s&apos;arrête
  -v, --version   affiche la version et s&apos;arrête
  --lang en|fr    langue des textes : fr (par défaut, quelle que soit la langue
                  du bureau) ou en

Marche sans fenêtre (aucun affichage nécessaire) :
  calidor --batch RÉGLAGE.calidor --csv RÉSULTATS.csv [--profiles PROFILS.csv]
          [--set NOM=TEXTE ...] [--dialect fr]
  --batch FICHIER    fait la marche du réglage enregistré dans FICHIER
  --csv FICHIER      y écrit un relevé par affichage : le temps simulé (s), les
                     températures en bout, les puissances, la production
                     d&apos;entropie, les entrées en vigueur
  --profiles FICHIER les profils du dernier affichage (par défaut à côté du
                     relevé : RÉSULTATS-profils.csv)
  --set NOM=TEXTE    remplace le texte d&apos;un champ (Tec, debc, Lech, tmax...)
  --dialect fr       point-virgule et virgule décimale (par défaut : virgule
                     et point décimal)
  Statut de sortie : 0 marche finie, 2 fichier ou option refusés, 3 erreur de
  calcul pendant la marche (le relevé jusqu&apos;à l&apos;erreur est écrit).

Les options de Qt (-platform, -style, -geometry...) sont acceptées aussi.
</source>
        <translation>Usage: calidor [options]
Simulator of a heat exchanger in transient operation, for teaching.

Options:
  -h, --help      show this help and exit
  -v, --version   show the version and exit
  --lang en|fr    language of the texts: fr (the default, whatever the
                  desktop&apos;s language) or en

Run without a window (no display needed):
  calidor --batch SETUP.calidor --csv RESULTS.csv [--profiles PROFILES.csv]
          [--set NAME=TEXT ...] [--dialect fr]
  --batch FILE       runs the set-up saved in FILE
  --csv FILE         writes one row per refresh there: the simulated time (s),
                     the far-end temperatures, the heat rates, the entropy
                     production, the inlets in force
  --profiles FILE    the profiles of the last refresh (by default beside the
                     record: RESULTS-profils.csv)
  --set NAME=TEXT    replaces a field&apos;s text (Tec, debc, Lech, tmax...)
  --dialect fr       semicolons and decimal commas (default: commas and
                     decimal points)
  Exit status: 0 run finished, 2 file or option refused, 3 computation error
  during the run (the record up to the error is written).

Qt&apos;s own options (-platform, -style, -geometry...) are accepted too.
</translation>
    </message>
    <message>
        <source>l&apos;option --%1 attend une valeur</source>
        <translation>the option --%1 needs a value</translation>
    </message>
</context>
<context>
    <name>calidor::FieldCheck</name>
    <message>
        <source>le champ est vide</source>
        <translation>the field is empty</translation>
    </message>
    <message>
        <source>il n&apos;y a aucun chiffre</source>
        <translation>there is no digit</translation>
    </message>
    <message>
        <source>il y a plus d&apos;un séparateur décimal</source>
        <translation>there is more than one decimal separator</translation>
    </message>
    <message>
        <source>il y a un blanc au milieu du nombre</source>
        <translation>there is a blank inside the number</translation>
    </message>
    <message>
        <source>le caractère « %1 » n&apos;a pas sa place dans un nombre</source>
        <translation>the character “%1” has no place in a number</translation>
    </message>
    <message>
        <source>l&apos;exposant n&apos;a pas de chiffres</source>
        <translation>the exponent has no digits</translation>
    </message>
    <message>
        <source>le nombre est trop grand pour être calculé</source>
        <translation>the number is too large to compute with</translation>
    </message>
    <message>
        <source>un nombre, avec un point ou une virgule comme séparateur décimal et un exposant facultatif, par exemple 12.5, 12,5, -3 ou 4.2e-3 ; les blancs autour sont ignorés</source>
        <translation>a number, with a point or a comma as decimal separator and an optional exponent, for example 12.5, 12,5, -3 or 4.2e-3; blanks around it are ignored</translation>
    </message>
    <message>
        <source>Ce texte n&apos;est pas un nombre : %1.
Attendu : %2.
Tant qu&apos;il reste ainsi, aucune valeur n&apos;est prise en compte.</source>
        <translation>This text is not a number: %1.
Expected: %2.
As long as it stays so, no value is taken.</translation>
    </message>
    <message>
        <source>Rien n&apos;a été pris en compte : les valeurs en vigueur restent celles d&apos;avant, et un calcul en cours continue avec elles.
</source>
        <translation>Nothing was taken: the values in force stay as they were, and a run in progress goes on with them.
</translation>
    </message>
    <message>
        <source>« %1 » contient « %2 » : %3.</source>
        <translation>“%1” contains “%2”: %3.</translation>
    </message>
    <message>
        <source>Attendu : %1.</source>
        <translation>Expected: %1.</translation>
    </message>
    <message>
        <source>« %1 » : %2 est hors de la portée du curseur ;
la valeur a été ramenée à %3.</source>
        <translation>“%1”: %2 is beyond the slider&apos;s reach;
the value was brought back to %3.</translation>
    </message>
</context>
<context>
    <name>calidor::Help</name>
    <message>
        <source>Température initiale des deux fluides et de la paroi, en °C, au début d&apos;une marche.</source>
        <translation>Initial temperature of both fluids and of the wall at the start of a run, in °C.</translation>
    </message>
    <message>
        <source>Température d&apos;entrée du fluide froid, en °C.</source>
        <translation>Inlet temperature of the cold fluid, in °C.</translation>
    </message>
    <message>
        <source>Le curseur va de %1 à %2 °C, par pas de %3 °C.</source>
        <translation>The slider goes from %1 to %2 °C, in steps of %3 °C.</translation>
    </message>
    <message>
        <source>Température d&apos;entrée du fluide chaud, en °C.</source>
        <translation>Inlet temperature of the hot fluid, in °C.</translation>
    </message>
    <message>
        <source>Capacité thermique massique du fluide froid, en J/kg.K.</source>
        <translation>Specific heat capacity of the cold fluid, in J/kg.K.</translation>
    </message>
    <message>
        <source>Capacité thermique massique du fluide chaud, en J/kg.K.</source>
        <translation>Specific heat capacity of the hot fluid, in J/kg.K.</translation>
    </message>
    <message>
        <source>Débit massique du fluide froid, en kg/s.</source>
        <translation>Mass flow rate of the cold fluid, in kg/s.</translation>
    </message>
    <message>
        <source>Le curseur va de %1 à %2 kg/s, par pas de %3 kg/s.</source>
        <translation>The slider goes from %1 to %2 kg/s, in steps of %3 kg/s.</translation>
    </message>
    <message>
        <source>Débit massique du fluide chaud, en kg/s.</source>
        <translation>Mass flow rate of the hot fluid, in kg/s.</translation>
    </message>
    <message>
        <source>Coefficient d&apos;échange par convection entre le fluide froid et la paroi, en W/m2.K.</source>
        <translation>Convective heat transfer coefficient between the cold fluid and the wall, in W/m2.K.</translation>
    </message>
    <message>
        <source>Coefficient d&apos;échange par convection entre le fluide chaud et la paroi, en W/m2.K.</source>
        <translation>Convective heat transfer coefficient between the hot fluid and the wall, in W/m2.K.</translation>
    </message>
    <message>
        <source>Surface d&apos;échange entre le fluide froid et la paroi par mètre d&apos;échangeur, en m2/m.</source>
        <translation>Exchange surface between the cold fluid and the wall per metre of exchanger, in m2/m.</translation>
    </message>
    <message>
        <source>Surface d&apos;échange entre le fluide chaud et la paroi par mètre d&apos;échangeur, en m2/m.</source>
        <translation>Exchange surface between the hot fluid and the wall per metre of exchanger, in m2/m.</translation>
    </message>
    <message>
        <source>Masse de fluide froid contenue dans l&apos;échangeur, en kg.</source>
        <translation>Mass of cold fluid held in the exchanger, in kg.</translation>
    </message>
    <message>
        <source>Masse de fluide chaud contenue dans l&apos;échangeur, en kg.</source>
        <translation>Mass of hot fluid held in the exchanger, in kg.</translation>
    </message>
    <message>
        <source>Masse de la paroi qui sépare les deux fluides, en kg.</source>
        <translation>Mass of the wall between the two fluids, in kg.</translation>
    </message>
    <message>
        <source>Capacité thermique massique de la paroi, en J/kg.K.</source>
        <translation>Specific heat capacity of the wall, in J/kg.K.</translation>
    </message>
    <message>
        <source>Durée simulée d&apos;une marche, en secondes : la marche s&apos;arrête à ce temps.</source>
        <translation>Simulated duration of a run, in seconds: the run stops at this time.</translation>
    </message>
    <message>
        <source>Pas de temps du calcul, en secondes : le temps simulé avance de dt à chaque pas.</source>
        <translation>Time step of the computation, in seconds: the simulated time advances by dt at each step.</translation>
    </message>
    <message>
        <source>Longueur de l&apos;échangeur, en mètres ; elle ne change plus après la première marche.</source>
        <translation>Length of the exchanger, in metres; it no longer changes after the first run.</translation>
    </message>
    <message>
        <source>Lance une marche depuis l&apos;état initial.</source>
        <translation>Starts a run from the initial state.</translation>
    </message>
    <message>
        <source>Suspend la marche ; un second appui relit les champs et la reprend.</source>
        <translation>Pauses the run; pressed again, it reads the fields and resumes the run.</translation>
    </message>
    <message>
        <source>Arrête la marche.</source>
        <translation>Stops the run.</translation>
    </message>
    <message>
        <source>Quitte Calidor.</source>
        <translation>Quits Calidor.</translation>
    </message>
    <message>
        <source>Relit tous les champs et applique les valeurs au modèle.</source>
        <translation>Reads every field and applies the values to the model.</translation>
    </message>
    <message>
        <source>Coché : les deux fluides circulent dans le même sens (co-courant) ; décoché : en sens contraires.</source>
        <translation>Checked: both fluids flow in the same direction (co-current); unchecked: in opposite directions.</translation>
    </message>
    <message>
        <source>Températures du fluide chaud (rouge), du fluide froid (bleu) et de la paroi (fuchsia) le long de l&apos;échangeur, en °C, à l&apos;instant affiché.</source>
        <translation>Temperatures of the hot fluid (red), the cold fluid (blue) and the wall (fuchsia) along the exchanger, in °C, at the time shown.</translation>
    </message>
    <message>
        <source>Températures de sortie du fluide chaud (rouge), du fluide froid (bleu) et de la paroi (fuchsia), en °C, au cours du temps.</source>
        <translation>Outlet temperatures of the hot fluid (red), the cold fluid (blue) and the wall (fuchsia), in °C, over time.</translation>
    </message>
    <message>
        <source>Puissances échangées par le fluide chaud (rouge) et le fluide froid (bleu) entre l&apos;entrée et la sortie, en kW, ou production entropique totale, en kW/K, au cours du temps.</source>
        <translation>Heat rates of the hot fluid (red) and the cold fluid (blue) between inlet and outlet, in kW, or total entropy production, in kW/K, over time.</translation>
    </message>
    <message>
        <source>Curseur %1</source>
        <translation>Slider %1</translation>
    </message>
    <message>
        <source>Texte complet : %1</source>
        <translation>Full text: %1</translation>
    </message>
</context>
<context>
    <name>calidor::Lessons</name>
    <message>
        <source>Valeurs de départ</source>
        <translation>Starting values</translation>
    </message>
    <message>
        <source>Les valeurs du démarrage : co-courant, mêmes débits et mêmes Cp, 1 m. En une dizaine de secondes les sorties chaude (≈ 37,5 °C) et froide (≈ 34,5 °C) se rapprochent sans jamais se croiser. C&apos;est aussi le retour à une longueur de 1 m.</source>
        <translation>The start-up values: co-current, equal flows and equal Cp, 1 m. In about ten seconds the hot (≈ 37.5 °C) and cold (≈ 34.5 °C) outlets draw closer without ever crossing. Also the way back to a 1 m length.</translation>
    </message>
    <message>
        <source>Contre-courant équilibré</source>
        <translation>Balanced counter-current</translation>
    </message>
    <message>
        <source>Contre-courant, mêmes débits et mêmes Cp : en régime établi (moins de 30 s) les profils chaud et froid deviennent deux droites parallèles ; la sortie chaude descend à ≈ 28,5 °C, efficacité ≈ 0,61 = NTU/(1 + NTU), contre ≈ 0,48 en co-courant.</source>
        <translation>Counter-current, equal flows and equal Cp: at steady state (under 30 s) the hot and cold profiles become two parallel straight lines; the hot outlet falls to ≈ 28.5 °C, effectiveness ≈ 0.61 = NTU/(1 + NTU), against ≈ 0.48 in co-current.</translation>
    </message>
    <message>
        <source>Côté chaud type condenseur (Cr → 0)</source>
        <translation>Condenser-like hot side (Cr → 0)</translation>
    </message>
    <message>
        <source>Cp chaud cent fois plus grand (Cr = Cmin/Cmax → 0) : le fluide chaud garde presque sa température d&apos;entrée, comme une vapeur qui se condense. Décochez puis recochez la case : co-courant et contre-courant donnent la même efficacité, ≈ 0,79 = 1 − exp(−NTU).</source>
        <translation>Hot Cp a hundred times larger (Cr = Cmin/Cmax → 0): the hot fluid almost keeps its inlet temperature, like a condensing vapour. Untick and tick the box again: co-current and counter-current give the same effectiveness, ≈ 0.79 = 1 − exp(−NTU).</translation>
    </message>
    <message>
        <source>Échangeur long (NTU élevé)</source>
        <translation>Long exchanger (high NTU)</translation>
    </message>
    <message>
        <source>Paroi lourde (régime transitoire lent)</source>
        <translation>Heavy wall (slow transient)</translation>
    </message>
    <message>
        <source>Paroi de 5 kg au lieu de 10 g : elle stocke la chaleur, le régime transitoire dure une minute au lieu de quelques secondes, et longtemps le chaud cède plus de puissance que le froid n&apos;en reçoit. L&apos;état final est celui des valeurs de départ.</source>
        <translation>A 5 kg wall instead of 10 g: it stores heat, the transient lasts a minute instead of a few seconds, and for a long time the hot fluid gives up more heat than the cold one receives. The final state is that of the starting values.</translation>
    </message>
    <message>
        <source>Pas de temps instable</source>
        <translation>Unstable time step</translation>
    </message>
    <message>
        <source>dt = 0,0063 s, juste au-dessus de la limite de stabilité du schéma explicite (≈ 0,00625 s, fixée par la paroi) : le profil de paroi oscille d&apos;une maille à l&apos;autre, l&apos;oscillation grandit et le calcul s&apos;arrête vers t = 4,8 s sur un message qui explique pourquoi.</source>
        <translation>dt = 0.0063 s, just above the stability limit of the explicit scheme (≈ 0.00625 s, set by the wall): the wall profile oscillates from cell to cell, the oscillation grows and the computation stops near t = 4.8 s with a message explaining why.</translation>
    </message>
    <message>
        <source>EN PAUSE</source>
        <translation>PAUSED</translation>
    </message>
    <message>
        <source>Marche</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Arrêt</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>quiter</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Avancer d&apos;un affichage</source>
        <translation>Step one refresh</translation>
    </message>
    <message>
        <source>Pendant une pause : calcule jusqu&apos;au prochain affichage (40 pas) puis s&apos;arrête de nouveau.</source>
        <translation>While paused: computes up to the next refresh (40 time steps), then stops again.</translation>
    </message>
    <message>
        <source>Document sur le modèle</source>
        <translation>Model document</translation>
    </message>
    <message>
        <source>Vitesse maximale</source>
        <translation>Maximum speed</translation>
    </message>
    <message>
        <source>Temps réel</source>
        <translation>Real time</translation>
    </message>
    <message>
        <source>Temps réel × 10</source>
        <translation>Real time × 10</translation>
    </message>
    <message>
        <source>Vitesse</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>Scénarios</source>
        <translation>Scenarios</translation>
    </message>
    <message>
        <source>Bilan et théorie</source>
        <translation>Balance and theory</translation>
    </message>
    <message>
        <source>Temps réel ÷ 10</source>
        <translation>Real time ÷ 10</translation>
    </message>
    <message>
        <source>Ce menu : F10 ou la touche Menu</source>
        <translation>This menu: F10 or the Menu key</translation>
    </message>
    <message>
        <source>Menu de la fenêtre</source>
        <translation>Window menu</translation>
    </message>
    <message>
        <source>Échangeur de 5 m (masses ×5), contre-courant : NTU ≈ 8, la sortie froide monte à ≈ 62 °C, près de l&apos;entrée chaude (efficacité ≈ 0,88). Le régime transitoire est long : le régime permanent n&apos;est atteint que vers t = 350 s. Cochez CO-COURANT : l&apos;efficacité plafonne à 0,5, les deux fluides sortent à 36 °C.</source>
        <translation>A 5 m exchanger (masses ×5), counter-current: NTU ≈ 8, the cold outlet rises to ≈ 62 °C, close to the hot inlet (effectiveness ≈ 0.88). The transient is long: the steady state is reached only near t = 350 s. Tick CO-CURRENT: the effectiveness levels off at 0.5, both fluids leave at 36 °C.</translation>
    </message>
</context>
<context>
    <name>calidor::ShellOpen</name>
    <message>
        <source>Le document sur le modèle est introuvable. Il devrait se trouver ici :
%1</source>
        <translation>The model document cannot be found. It should be here:
%1</translation>
    </message>
    <message>
        <source>Aucun programme ne peut ouvrir le document sur le modèle (il faut un lecteur de PDF). Vous pouvez l&apos;ouvrir vous-même ; il se trouve ici :
%1</source>
        <translation>No program can open the model document (a PDF reader is needed). You can open it yourself; it is here:
%1</translation>
    </message>
</context>
<context>
    <name>calidor::TFapropos</name>
    <message>
        <source>A propos...</source>
        <translation>About...</translation>
    </message>
    <message>
        <source>E-mail : </source>
        <translation>E-mail: </translation>
    </message>
    <message>
        <source>Écrire à l&apos;auteur</source>
        <translation>Write to the author</translation>
    </message>
    <message>
        <source>D&apos;autres outils disponibles sur </source>
        <translation>More tools at </translation>
    </message>
    <message>
        <source>D&apos;autres outils</source>
        <translation>More tools</translation>
    </message>
    <message>
        <source>Echangeur instationnaire</source>
        <translation>Transient heat exchanger</translation>
    </message>
    <message>
        <source>Mars 2004</source>
        <translation>March 2004</translation>
    </message>
    <message>
        <source>V 1.2</source>
        <translation>V 1.2</translation>
    </message>
    <message>
        <source>FERMER</source>
        <translation>CLOSE</translation>
    </message>
    <message>
        <source>Ferme cette fenêtre.</source>
        <translation>Closes this window.</translation>
    </message>
    <message>
        <source>Pour en savoir plus...</source>
        <translation>Learn more...</translation>
    </message>
    <message>
        <source>Ouvre le document sur le modèle de l&apos;échangeur et sa méthode de calcul.</source>
        <translation>Opens the document on the exchanger&apos;s model and its method of computation.</translation>
    </message>
</context>
<context>
    <name>calidor::TForm1</name>
    <message>
        <source>T init (°C)</source>
        <translation>T init (°C)</translation>
    </message>
    <message>
        <source>T entrée F (°C)</source>
        <translation>T in cold (°C)</translation>
    </message>
    <message>
        <source>T entrée C (°C)</source>
        <translation>T in hot (°C)</translation>
    </message>
    <message>
        <source>Cp F (J/kg.K)</source>
        <translation>Cp cold (J/kg.K)</translation>
    </message>
    <message>
        <source>Cp C (J/kg.K)</source>
        <translation>Cp hot (J/kg.K)</translation>
    </message>
    <message>
        <source>deb F (kg/s)</source>
        <translation>Flow cold (kg/s)</translation>
    </message>
    <message>
        <source>deb C (kg/s)</source>
        <translation>Flow hot (kg/s)</translation>
    </message>
    <message>
        <source>Coef. ech. conv F (W/m2.K)</source>
        <translation>Conv. coef. cold (W/m2.K)</translation>
    </message>
    <message>
        <source>Coef. ech. conv C (W/m2.K)</source>
        <translation>Conv. coef. hot (W/m2.K)</translation>
    </message>
    <message>
        <source>Surf. ech. linéïque F (m2/m)</source>
        <translation>Exch. surf. cold (m2/m)</translation>
    </message>
    <message>
        <source>Surf. ech. linéïque C (m2/m)</source>
        <translation>Exch. surf. hot (m2/m)</translation>
    </message>
    <message>
        <source>Masse F (kg)</source>
        <translation>Mass cold (kg)</translation>
    </message>
    <message>
        <source>Masse C (kg)</source>
        <translation>Mass hot (kg)</translation>
    </message>
    <message>
        <source>Masse P (kg)</source>
        <translation>Mass wall (kg)</translation>
    </message>
    <message>
        <source>Cp P (J/kg.K)</source>
        <translation>Cp wall (J/kg.K)</translation>
    </message>
    <message>
        <source>Time max (s)</source>
        <translation>Time max (s)</translation>
    </message>
    <message>
        <source>dt (s)</source>
        <translation>dt (s)</translation>
    </message>
    <message>
        <source>Longueur de l&apos;échangeur (m)</source>
        <translation>Exchanger length (m)</translation>
    </message>
    <message>
        <source>Marche</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Arrêt</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>quiter</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>ACTUALISE</source>
        <translation>UPDATE</translation>
    </message>
    <message>
        <source>Time (s)</source>
        <translation>Time (s)</translation>
    </message>
    <message>
        <source>CO-COURANT</source>
        <translation>CO-CURRENT</translation>
    </message>
    <message>
        <source>Représentation</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>Puissances</source>
        <translation>Heat rates</translation>
    </message>
    <message>
        <source>Production entropique</source>
        <translation>Entropy production</translation>
    </message>
    <message>
        <source>Kestrel</source>
        <translation>Kestrel</translation>
    </message>
    <message>
        <source>Laboratoire Kestrel</source>
        <translation>Kestrel Laboratory</translation>
    </message>
    <message>
        <source>Profil de température</source>
        <translation>Temperature profile</translation>
    </message>
    <message>
        <source>Températures de sortie</source>
        <translation>Outlet temperatures</translation>
    </message>
    <message>
        <source>Puissances (Entrée/Sortie) : kW</source>
        <translation>Heat rates (inlet/outlet): kW</translation>
    </message>
    <message>
        <source>A Propos</source>
        <translation>About</translation>
    </message>
    <message>
        <source>CONTRE-COURANT</source>
        <translation>COUNTER-CURRENT</translation>
    </message>
    <message>
        <source>Production entropique totale : kW/K</source>
        <translation>Total entropy production: kW/K</translation>
    </message>
</context>
<context>
    <name>calidor::batch</name>
    <message>
        <source>« %1 » est le réglage de la marche : les résultats ne l&apos;écraseront pas.</source>
        <translation>“%1” is the run&apos;s set-up: the results will not overwrite it.</translation>
    </message>
    <message>
        <source>Le relevé jusqu&apos;à l&apos;erreur est dans « %1 ».</source>
        <translation>The record up to the error is in “%1”.</translation>
    </message>
    <message>
        <source>La marche s&apos;est arrêtée à t = %1 s.
%2</source>
        <translation>The run stopped at t = %1 s.
%2</translation>
    </message>
</context>
<context>
    <name>calidor::charts::ChartView</name>
    <message>
        <source>Copier l&apos;image</source>
        <translation>Copy image</translation>
    </message>
    <message>
        <source>Copier les données</source>
        <translation>Copy data</translation>
    </message>
    <message>
        <source>Bilan et théorie…</source>
        <translation>Balance and theory…</translation>
    </message>
</context>
<context>
    <name>calidor::charts::DataTable</name>
    <message>
        <source> [points anciens allégés]</source>
        <translation> [older points thinned]</translation>
    </message>
</context>
<context>
    <name>calidor::files</name>
    <message>
        <source>Impossible d&apos;enregistrer « %1 » : le dossier « %2 » n&apos;existe pas.</source>
        <translation>Cannot save “%1”: the folder “%2” does not exist.</translation>
    </message>
    <message>
        <source>Impossible d&apos;enregistrer « %1 » : « %2 » n&apos;est pas un dossier.</source>
        <translation>Cannot save “%1”: “%2” is not a folder.</translation>
    </message>
    <message>
        <source>Impossible d&apos;enregistrer « %1 » : le dossier « %2 » est en lecture seule.</source>
        <translation>Cannot save “%1”: the folder “%2” is read-only.</translation>
    </message>
    <message>
        <source>Impossible d&apos;enregistrer « %1 » : c&apos;est un dossier.</source>
        <translation>Cannot save “%1”: it is a folder.</translation>
    </message>
    <message>
        <source>Impossible d&apos;enregistrer « %1 » : le fichier est en lecture seule.</source>
        <translation>Cannot save “%1”: the file is read-only.</translation>
    </message>
    <message>
        <source>Impossible d&apos;enregistrer « %1 » : %2.</source>
        <translation>Cannot save “%1”: %2.</translation>
    </message>
    <message>
        <source>Impossible d&apos;enregistrer : aucun nom de fichier.</source>
        <translation>Cannot save: no file name.</translation>
    </message>
    <message>
        <source>Impossible d&apos;enregistrer « %1 » : l&apos;écriture a échoué (disque plein ?) : %2. Le fichier précédent, s&apos;il y en avait un, est intact.</source>
        <translation>Cannot save “%1”: writing failed (disk full?): %2. The earlier file, if there was one, is intact.</translation>
    </message>
    <message>
        <source>Impossible d&apos;enregistrer « %1 » : %2. Le fichier précédent, s&apos;il y en avait un, est intact.</source>
        <translation>Cannot save “%1”: %2. The earlier file, if there was one, is intact.</translation>
    </message>
    <message>
        <source>Calidor : échangeur de chaleur, résultats d&apos;une marche</source>
        <translation>Calidor: heat exchanger, results of a run</translation>
    </message>
    <message>
        <source>titre : %1</source>
        <translation>title: %1</translation>
    </message>
    <message>
        <source>note : %1</source>
        <translation>note: %1</translation>
    </message>
    <message>
        <source>disposition : co-courant</source>
        <translation>arrangement: co-current</translation>
    </message>
    <message>
        <source>disposition : contre-courant</source>
        <translation>arrangement: counter-current</translation>
    </message>
    <message>
        <source>%1 lignes pour %2 affichages : les plus anciens sont résumés (premier, dernier, plus bas et plus haut de chaque colonne)</source>
        <translation>%1 rows for %2 refreshes: the oldest are summarised (first, last, lowest and highest of each column)</translation>
    </message>
    <message>
        <source>profils le long de l&apos;échangeur à t = %1 s</source>
        <translation>profiles along the exchanger at t = %1 s</translation>
    </message>
    <message>
        <source>Rien n&apos;a été enregistré : le relevé et les profils iraient dans le même fichier « %1 ».</source>
        <translation>Nothing was saved: the record and the profiles would go to the same file “%1”.</translation>
    </message>
    <message>
        <source>ce doit être un objet { &quot;nom&quot;: &quot;texte&quot;, ... }</source>
        <translation>it must be an object { &quot;name&quot;: &quot;text&quot;, ... }</translation>
    </message>
    <message>
        <source>ce n&apos;est pas un paramètre de l&apos;échangeur</source>
        <translation>it is not a parameter of the exchanger</translation>
    </message>
    <message>
        <source>la valeur doit être un texte entre guillemets, tel qu&apos;on le tape (&quot;70.00&quot;)</source>
        <translation>the value must be a quoted text, as it is typed (&quot;70.00&quot;)</translation>
    </message>
    <message>
        <source>« %1 » n&apos;est pas un nombre : %2</source>
        <translation>“%1” is not a number: %2</translation>
    </message>
    <message>
        <source>la valeur doit être l&apos;un des textes %1</source>
        <translation>the value must be one of the texts %1</translation>
    </message>
    <message>
        <source>ce n&apos;est pas un réglage de Calidor (&quot;format&quot;: &quot;%1&quot; attendu)</source>
        <translation>this is not a Calidor set-up (&quot;format&quot;: &quot;%1&quot; expected)</translation>
    </message>
    <message>
        <source>la version doit être le nombre %1</source>
        <translation>the version must be the number %1</translation>
    </message>
    <message>
        <source>version %1 inconnue : ce programme lit la version %2</source>
        <translation>unknown version %1: this program reads version %2</translation>
    </message>
    <message>
        <source>la valeur doit être un texte entre guillemets</source>
        <translation>the value must be a quoted text</translation>
    </message>
    <message>
        <source>la valeur doit être true ou false</source>
        <translation>the value must be true or false</translation>
    </message>
    <message>
        <source>clé inconnue</source>
        <translation>unknown key</translation>
    </message>
    <message>
        <source>Le fichier « %1 » n&apos;a pas été ouvert : %2 : %3.</source>
        <translation>The file “%1” was not opened: %2: %3.</translation>
    </message>
    <message>
        <source>Le fichier « %1 » n&apos;a pas été ouvert : il dépasse 1 Mio, ce n&apos;est pas un réglage de Calidor.</source>
        <translation>The file “%1” was not opened: it is larger than 1 MiB, it is not a Calidor set-up.</translation>
    </message>
    <message>
        <source>ligne %1, colonne %2</source>
        <translation>line %1, column %2</translation>
    </message>
    <message>
        <source>ce n&apos;est pas du JSON lisible (%1)</source>
        <translation>it is not readable JSON (%1)</translation>
    </message>
    <message>
        <source>le document</source>
        <translation>the document</translation>
    </message>
    <message>
        <source>ce doit être un objet JSON { ... }</source>
        <translation>it must be a JSON object { ... }</translation>
    </message>
    <message>
        <source>clé « %1 »</source>
        <translation>key “%1”</translation>
    </message>
    <message>
        <source>Le fichier « %1 » n&apos;a pas été ouvert : c&apos;est un dossier.</source>
        <translation>The file “%1” was not opened: it is a folder.</translation>
    </message>
    <message>
        <source>Le fichier « %1 » n&apos;a pas été ouvert : %2.</source>
        <translation>The file “%1” was not opened: %2.</translation>
    </message>
    <message>
        <source>Le fichier « %1 » n&apos;a pas été lu : %2.</source>
        <translation>The file “%1” was not read: %2.</translation>
    </message>
    <message>
        <source>« %1 » : NOM=TEXTE attendu, où NOM est un paramètre (Tec, debc, Lech...)</source>
        <translation>“%1”: NAME=TEXT expected, where NAME is a parameter (Tec, debc, Lech...)</translation>
    </message>
    <message>
        <source>%1 : « %2 » n&apos;est pas un nombre : %3</source>
        <translation>%1: “%2” is not a number: %3</translation>
    </message>
</context>
<context>
    <name>calidor::sym</name>
    <message>
        <source>le fluide chaud</source>
        <translation>the hot fluid</translation>
    </message>
    <message>
        <source>le fluide froid</source>
        <translation>the cold fluid</translation>
    </message>
    <message>
        <source>la paroi</source>
        <translation>the wall</translation>
    </message>
    <message>
        <source>La longueur de l&apos;échangeur est nulle : chaque maille a une longueur dx = 0, et sa part de l&apos;échangeur, dx / Lech, vaut 0/0.</source>
        <translation>The exchanger length is zero: each cell has a length dx = 0, and its share of the exchanger, dx / Lech, is 0/0.</translation>
    </message>
    <message>
        <source>La capacité thermique du fluide chaud est nulle (masse ou Cp nul : Masse C × Cp C = 0) : dt divisé par cette capacité est infini, et l&apos;évolution de sa température n&apos;est plus définie.</source>
        <translation>The heat capacity of the hot fluid is zero (zero mass or Cp: Mass hot × Cp hot = 0): dt divided by this capacity is infinite, and the change of its temperature is no longer defined.</translation>
    </message>
    <message>
        <source>La capacité thermique du fluide froid est nulle (masse ou Cp nul : Masse F × Cp F = 0) : dt divisé par cette capacité est infini, et l&apos;évolution de sa température n&apos;est plus définie.</source>
        <translation>The heat capacity of the cold fluid is zero (zero mass or Cp: Mass cold × Cp cold = 0): dt divided by this capacity is infinite, and the change of its temperature is no longer defined.</translation>
    </message>
    <message>
        <source>La capacité thermique de la paroi est nulle (masse ou Cp nul : Masse P × Cp P = 0) : dt divisé par cette capacité est infini, et l&apos;évolution de sa température n&apos;est plus définie.</source>
        <translation>The heat capacity of the wall is zero (zero mass or Cp: Mass wall × Cp wall = 0): dt divided by this capacity is infinite, and the change of its temperature is no longer defined.</translation>
    </message>
    <message>
        <source>Le pas de temps est nul (dt = 0) : le temps n&apos;avance pas, et le stockage d&apos;entropie de chaque maille, sa variation divisée par dt, vaut 0/0.</source>
        <translation>The time step is zero (dt = 0): time does not advance, and the entropy storage of each cell, its change divided by dt, is 0/0.</translation>
    </message>
    <message>
        <source>Erreur de calcul (%1) : opération invalide (0/0 ou ∞ × 0).</source>
        <translation>Computation error (%1): invalid operation (0/0 or ∞ × 0).</translation>
    </message>
    <message>
        <source>Le pas de temps dt = %1 s dépasse la limite de stabilité du schéma explicite, environ %2 s ici (fixée par %3) : une perturbation qui alterne d&apos;une maille à l&apos;autre est amplifiée à chaque pas, les températures oscillent puis divergent jusqu&apos;à des valeurs impossibles. Prenez un pas de temps plus petit que cette limite.</source>
        <translation>The time step dt = %1 s exceeds the stability limit of the explicit scheme, about %2 s here (set by %3): a disturbance that alternates from one cell to the next grows at every step, and the temperatures oscillate, then diverge to impossible values. Choose a time step below this limit.</translation>
    </message>
    <message>
        <source>Causes probables : une masse, une capacité thermique, la longueur de l&apos;échangeur ou le pas de temps nuls ; ou un pas de temps trop grand pour le schéma explicite, dont les températures divergent alors.</source>
        <translation>Likely causes: a zero mass, heat capacity, exchanger length or time step; or a time step too large for the explicit scheme, whose temperatures then diverge.</translation>
    </message>
    <message>
        <source>La marche est terminée : le calcul s&apos;est arrêté à t = %1 s.

%2

%3

Les courbes gardent le dernier affichage ; « Marche » (F5) démarre une nouvelle marche.</source>
        <translation>The run has ended: the computation stopped at t = %1 s.

%2

%3

The curves keep the last display; “Start” (F5) starts a new run.</translation>
    </message>
</context>
</TS>
