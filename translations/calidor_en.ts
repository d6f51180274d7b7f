<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="fr">
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
</TS>
