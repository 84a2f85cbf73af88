<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>frmAbout</name>
    <message>
        <location filename="../about/frmAbout.ui" line="+155"/>
        <source>Home Business Opportunity. Start your own Internet business and make money online. Get this software fully branded for your website.</source>
        <translation>Activité à domicile&#xa0;: lancez votre propre affaire sur Internet et gagnez de l&apos;argent en ligne. Obtenez ce logiciel entièrement à vos couleurs.</translation>
    </message>
    <message>
        <location line="+56"/>
        <source>Click here for more details.</source>
        <translation>Plus de détails ici.</translation>
    </message>
    <message>
        <location line="+99"/>
        <source>Tressora calculates your chances of losing your hair based on your age and level of stress. This can be used as a guideline to reduce stress and take preventive measures. Copyright © 2026 Orvane Softwares, all rights reserved.</source>
        <translation>Tressora calcule vos risques de perdre vos cheveux selon votre âge et votre niveau de stress. De quoi vous inciter à réduire votre stress et à prendre des mesures préventives. Copyright © 2026 Orvane Softwares, tous droits réservés.</translation>
    </message>
    <message>
        <location line="+108"/>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Program icon</source>
        <translation>Icône du programme</translation>
    </message>
</context>
<context>
    <name>frmDisplay</name>
    <message>
        <location filename="../quiz/frmDisplay.ui" line="+149"/>
        <source>Home Business Opportunity. Start your own Internet business and make money online. Get this software fully branded for your website. Click here for more details.</source>
        <translation>Activité à domicile&#xa0;: lancez votre propre affaire sur Internet et gagnez de l&apos;argent en ligne. Obtenez ce logiciel entièrement à vos couleurs. Cliquez ici pour en savoir plus.</translation>
    </message>
    <message>
        <location line="+89"/>
        <source>Co-brand this software for your site.  Increase loyalty and traffic to your site. Put your site&apos;s name &amp;  link here. See &quot;Help&quot; for details.    Click Here for more info on co-branding.</source>
        <translation>Ce logiciel à l&apos;image de votre site&#xa0;: plus de fidélité et de trafic. Votre nom et votre lien ici. Détails dans «&#xa0;Aide&#xa0;». Cliquez ici pour en savoir plus sur le co-branding.</translation>
    </message>
    <message>
        <location line="+88"/>
        <source>&amp;Back</source>
        <translation>&amp;Retour</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Tressora Result</source>
        <translation>Résultat Tressora</translation>
    </message>
    <message>
        <location line="+99"/>
        <source>Level Of Stress</source>
        <translation>Niveau de stress</translation>
    </message>
    <message>
        <location line="+109"/>
        <source>Age</source>
        <translation>Âge</translation>
    </message>
    <message>
        <location line="+137"/>
        <source>You will most likely lose all your hair by the age of</source>
        <translation>Vous perdrez sans doute tous vos cheveux d&apos;ici l&apos;âge de</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Chances of Losing Hair</source>
        <translation>Risque de perdre vos cheveux</translation>
    </message>
    <message>
        <location line="+89"/>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Back</source>
        <translation>Retour</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Online Help</source>
        <translation>Aide en &amp;ligne</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Visit Us Online</source>
        <translation>&amp;Visiter notre site</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Check for Software &amp;Update</source>
        <translation>Rechercher une &amp;mise à jour</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&amp;About Software</source>
        <translation>À &amp;propos du logiciel</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Donate</source>
        <translation>Faire un &amp;don</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Make Money &amp;Online</source>
        <translation>Gagner de l&apos;argent en &amp;ligne</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <location filename="../quiz/frmMain.ui" line="+167"/>
        <source>Tressora calculates your chances of losing your hair based on your age and level of stress. Take the quiz now to know your chances of going bald.</source>
        <translation>Tressora calcule vos risques de perdre vos cheveux selon votre âge et votre niveau de stress. Faites le quiz dès maintenant pour savoir si la calvitie vous guette.</translation>
    </message>
    <message>
        <location line="+98"/>
        <source>Co-brand this software for your site.  Increase loyalty and traffic to your site. Put your site&apos;s name &amp;  link here. See &quot;Help&quot; for details.    Click Here for more info on co-branding.</source>
        <translation>Ce logiciel à l&apos;image de votre site&#xa0;: plus de fidélité et de trafic. Votre nom et votre lien ici. Détails dans «&#xa0;Aide&#xa0;». Cliquez ici pour en savoir plus sur le co-branding.</translation>
    </message>
    <message>
        <location line="+89"/>
        <source>Home Business Opportunity. Start your own Internet business and make money online. Get this software fully branded for your website. Click here for more details.</source>
        <translation>Activité à domicile&#xa0;: lancez votre propre affaire sur Internet et gagnez de l&apos;argent en ligne. Obtenez ce logiciel entièrement à vos couleurs. Cliquez ici pour en savoir plus.</translation>
    </message>
    <message>
        <location line="+66"/>
        <location line="+963"/>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <location line="-927"/>
        <source>Select Your Current Stage of Hair Growth/Loss</source>
        <translation>Choisissez le stade actuel de votre chevelure</translation>
    </message>
    <message>
        <location line="+48"/>
        <source>P.S This Quiz has been created only for entertainment purpose</source>
        <translation>P.-S. Ce quiz n&apos;est qu&apos;un divertissement.</translation>
    </message>
    <message>
        <location line="+164"/>
        <source>Full Head of Hair</source>
        <translation>Chevelure abondante</translation>
    </message>
    <message>
        <location line="+48"/>
        <source>Hairline has begun to recede </source>
        <translation>Le front commence à se dégarnir</translation>
    </message>
    <message>
        <location line="+48"/>
        <source>Hairline has receded and thin hair on top of head</source>
        <translation>Front dégarni et cheveux clairsemés sur le dessus</translation>
    </message>
    <message>
        <location line="+48"/>
        <source>Significant thin or bald hair on top/back of head</source>
        <translation>Dessus/arrière du crâne très clairsemé ou chauve</translation>
    </message>
    <message>
        <location line="+48"/>
        <source>Complete hair loss on top of head.Only sides remain </source>
        <translation>Crâne entièrement dégarni, il ne reste que les côtés</translation>
    </message>
    <message>
        <location line="+76"/>
        <source>Calculate My Hair Loss</source>
        <translation>Calculer ma calvitie</translation>
    </message>
    <message>
        <location line="+64"/>
        <location line="+122"/>
        <source>Level of Stress</source>
        <translation>Niveau de stress</translation>
    </message>
    <message>
        <location line="-68"/>
        <location line="+84"/>
        <source>Sex</source>
        <translation>Sexe</translation>
    </message>
    <message>
        <location line="-30"/>
        <location line="+46"/>
        <source>Age</source>
        <translation>Âge</translation>
    </message>
    <message>
        <location line="+72"/>
        <source>Family History</source>
        <translation>Antécédents familiaux</translation>
    </message>
    <message>
        <location line="+46"/>
        <source>My Paternal Grandfather has the problem of baldness</source>
        <translation>Mon grand-père paternel est chauve</translation>
    </message>
    <message>
        <location line="+40"/>
        <source>My Maternal Grandfather has the problem of baldness</source>
        <translation>Mon grand-père maternel est chauve</translation>
    </message>
    <message>
        <location line="+40"/>
        <source>My Father has the problem of baldness</source>
        <translation>Mon père est chauve</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>&amp;Online Help</source>
        <translation>Aide en &amp;ligne</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Visit Us Online</source>
        <translation>&amp;Visiter notre site</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&amp;Check for Software Update</source>
        <translation>Rechercher une &amp;mise à jour</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&amp;About Software</source>
        <translation>À &amp;propos du logiciel</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Donate</source>
        <translation>Faire un &amp;don</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Make Money &amp;Online</source>
        <translation>Gagner de l&apos;argent en &amp;ligne</translation>
    </message>
</context>
<context>
    <name>frmNagScreen2</name>
    <message>
        <location filename="../outreach/frmNagScreen2.ui" line="+51"/>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <location line="+51"/>
        <source>Click Here To Visit Orvane Now</source>
        <translation>Cliquez ici pour visiter Orvane dès maintenant</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Program icon</source>
        <translation>Icône du programme</translation>
    </message>
    <message>
        <location line="+126"/>
        <source>Refer A Friend</source>
        <translation>Recommander à un ami</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+11"/>
        <source>Your Name</source>
        <translation>Votre nom</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Refer A Friend &amp;Now</source>
        <translation>Recommander &amp;maintenant</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+11"/>
        <source>Your Email Address</source>
        <translation>Votre adresse e-mail</translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+11"/>
        <source>Friend&apos;s Email Address</source>
        <translation>Adresse e-mail de votre ami</translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+11"/>
        <source>Friend&apos;s Name</source>
        <translation>Nom de votre ami</translation>
    </message>
    <message>
        <location line="+89"/>
        <source>Download Orvane Softwares</source>
        <translation>Logiciels Orvane à télécharger</translation>
    </message>
    <message>
        <location line="+44"/>
        <source>Discover the other free programs from Orvane Softwares. Orvane offers a wide catalogue of programs for work, for learning and for play, with something for everyone.                                                             Every one of them is simple, fun and informative, so try them out and share them with your friends and family. </source>
        <translation>Découvrez les autres programmes gratuits d&apos;Orvane Softwares. Orvane propose un large catalogue de programmes pour le travail, l&apos;apprentissage et les loisirs&#xa0;: il y en a pour tous les goûts.
Tous sont simples, amusants et instructifs&#xa0;: essayez-les et partagez-les avec vos amis et votre famille.</translation>
    </message>
    <message>
        <location line="+58"/>
        <source>Click Here To Visit Orvane Softwares</source>
        <translation>Visitez Orvane Softwares</translation>
    </message>
    <message>
        <location line="-186"/>
        <location filename="../outreach/referral.cpp" line="+16"/>
        <source>Your Message</source>
        <translation>Votre message</translation>
    </message>
</context>
<context>
    <name>tressora::QuizWindow</name>
    <message>
        <location filename="../quiz/quizwindow.cpp" line="+13"/>
        <source>The Most Popular Online Orvane Discussion Board. Best Resource For Everything Orvane. Visit %1 Now</source>
        <translation>Le forum de discussion Orvane le plus populaire du Web. La référence pour tout ce qui concerne Orvane. Visitez %1 dès maintenant</translation>
    </message>
</context>
<context>
    <name>tressora::Referral</name>
    <message>
        <location filename="../outreach/referral.cpp" line="+38"/>
        <source>Please Enter Distinct Email Addresses</source>
        <translation>Veuillez saisir deux adresses e-mail différentes</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+2"/>
        <source>Please Enter Proper Email Address</source>
        <translation>Veuillez saisir une adresse e-mail valide</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Please Enter Your Name</source>
        <translation>Veuillez saisir votre nom</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Please Enter Your Email</source>
        <translation>Veuillez saisir votre adresse e-mail</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Please Enter Your Message</source>
        <translation>Veuillez saisir votre message</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Please Enter Your Friend&apos;s Name</source>
        <translation>Veuillez saisir le nom de votre ami</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Please Enter Your Friend&apos;s Email</source>
        <translation>Veuillez saisir l&apos;adresse e-mail de votre ami</translation>
    </message>
</context>
<context>
    <name>tressora::Scoring</name>
    <message>
        <location filename="../quiz/scoring.cpp" line="+63"/>
        <source>Not Likely</source>
        <translation>Peu probable</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Quite Possibly</source>
        <translation>Fort possible</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Most Likely</source>
        <translation>Très probable</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>For Sure</source>
        <translation>À coup sûr</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>No Stress</source>
        <translation>Aucun stress</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Little Stress</source>
        <translation>Peu de stress</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>More Than Little Stress</source>
        <translation>Un peu de stress</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Moderate Stress</source>
        <translation>Stress modéré</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>High Stress</source>
        <translation>Stress élevé</translation>
    </message>
</context>
<context>
    <name>tressora::StartProgram</name>
    <message>
        <location filename="../app/application.cpp" line="+89"/>
        <source>Application is already running</source>
        <translation>Le programme est déjà lancé</translation>
    </message>
</context>
<context>
    <name>tressora::UpdatePrompt</name>
    <message>
        <location filename="../outreach/updateschedule.cpp" line="+91"/>
        <source>There maybe an update to this software available<byte value="xd"/>Do you want to check for an update?</source>
        <translation>Une mise à jour de ce logiciel est peut-être disponible.<byte value="xd"/>Voulez-vous rechercher une mise à jour&#xa0;?</translation>
    </message>
</context>
<context>
    <name>tressora::frmAbout</name>
    <message>
        <location filename="../about/frmAbout.cpp" line="+26"/>
        <source>Click here to visit %1</source>
        <translation>Cliquez ici pour visiter %1</translation>
    </message>
</context>
<context>
    <name>tressora::frmMain</name>
    <message>
        <location filename="../quiz/frmMain.cpp" line="+57"/>
        <source>Male</source>
        <translation>Homme</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Female</source>
        <translation>Femme</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>female</source>
        <comment>picture set</comment>
        <translation>féminine</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>male</source>
        <comment>picture set</comment>
        <translation>masculine</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Head picture, %1 set: %2</source>
        <translation>Image de tête, série %1&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>tressora::frmNagScreen2</name>
    <message>
        <location filename="../outreach/frmNagScreen2.cpp" line="+19"/>
        <source>Orvane Softwares, such as this can be created and maintained only with your support. The best way to support Orvane is to visit Orvane regularly and take part in the discussions and other activities on the board.</source>
        <translation>Les logiciels Orvane comme celui-ci ne peuvent être créés et maintenus qu&apos;avec votre soutien. La meilleure façon de soutenir Orvane est de visiter Orvane régulièrement et de participer aux discussions et aux activités du forum.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Visit Orvane regularly. Support Orvane by taking part in the discussions and other activities. These softwares cannot be supported and maintained, without you regularly visiting Orvane</source>
        <translation>Visitez Orvane régulièrement. Soutenez Orvane en participant aux discussions et aux autres activités. Sans vos visites régulières sur Orvane, ces logiciels ne peuvent être ni suivis ni maintenus.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Orvane is a FREE online discussion forum for all things Orvane. To help Orvane develop and maintain this software visit Orvane regularly.</source>
        <translation>Orvane est un forum de discussion en ligne GRATUIT consacré à tout l&apos;univers Orvane. Pour aider Orvane à développer et à maintenir ce logiciel, visitez Orvane régulièrement.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Orvane needs your help. All you need to do is visit Orvane regularly and take part in the various discussions and activites to help us maintain and develop more Orvane Softwares.</source>
        <translation>Orvane a besoin de vous. Il suffit de visiter Orvane régulièrement et de participer aux discussions et activités pour nous aider à maintenir et à développer d&apos;autres logiciels Orvane.</translation>
    </message>
    <message>
        <location line="+175"/>
        <source>Email Address Cannot Contain Space</source>
        <translation>L&apos;adresse e-mail ne peut pas contenir d&apos;espace</translation>
    </message>
</context>
</TS>
