<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>frmAbout</name>
    <message>
        <location filename="../about/frmAbout.ui" line="+155"/>
        <source>Home Business Opportunity. Start your own Internet business and make money online. Get this software fully branded for your website.</source>
        <translation>Negocio desde casa: monta tu propio negocio en Internet y gana dinero en línea. Consigue este programa totalmente con la marca de tu web.</translation>
    </message>
    <message>
        <location line="+56"/>
        <source>Click here for more details.</source>
        <translation>Más detalles aquí.</translation>
    </message>
    <message>
        <location line="+99"/>
        <source>Tressora calculates your chances of losing your hair based on your age and level of stress. This can be used as a guideline to reduce stress and take preventive measures. Copyright © 2026 Orvane Softwares, all rights reserved.</source>
        <translation>Tressora calcula tus probabilidades de perder el pelo según tu edad y tu nivel de estrés. Puede servirte de guía para reducir el estrés y tomar medidas preventivas. Copyright © 2026 Orvane Softwares, todos los derechos reservados.</translation>
    </message>
    <message>
        <location line="+108"/>
        <source>&amp;OK</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Program icon</source>
        <translation>Icono del programa</translation>
    </message>
</context>
<context>
    <name>frmDisplay</name>
    <message>
        <location filename="../quiz/frmDisplay.ui" line="+149"/>
        <source>Home Business Opportunity. Start your own Internet business and make money online. Get this software fully branded for your website. Click here for more details.</source>
        <translation>Negocio desde casa: monta tu propio negocio en Internet y gana dinero en línea. Consigue este programa totalmente con la marca de tu web. Haz clic aquí para más detalles.</translation>
    </message>
    <message>
        <location line="+89"/>
        <source>Co-brand this software for your site.  Increase loyalty and traffic to your site. Put your site&apos;s name &amp;  link here. See &quot;Help&quot; for details.    Click Here for more info on co-branding.</source>
        <translation>Personaliza este programa con tu web: más fidelidad y más visitas. Pon aquí el nombre y el enlace de tu sitio. Detalles en «Ayuda». Haz clic aquí para saber más.</translation>
    </message>
    <message>
        <location line="+88"/>
        <source>&amp;Back</source>
        <translation>&amp;Volver</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Tressora Result</source>
        <translation>Resultado de Tressora</translation>
    </message>
    <message>
        <location line="+99"/>
        <source>Level Of Stress</source>
        <translation>Nivel de estrés</translation>
    </message>
    <message>
        <location line="+109"/>
        <source>Age</source>
        <translation>Edad</translation>
    </message>
    <message>
        <location line="+137"/>
        <source>You will most likely lose all your hair by the age of</source>
        <translation>Lo más probable es que pierdas todo el pelo a la edad de</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Chances of Losing Hair</source>
        <translation>Probabilidad de perder el pelo</translation>
    </message>
    <message>
        <location line="+89"/>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&amp;Help</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Back</source>
        <translation>Volver</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>E&amp;xit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Online Help</source>
        <translation>Ayuda en &amp;línea</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Visit Us Online</source>
        <translation>&amp;Visitar nuestra web</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Check for Software &amp;Update</source>
        <translation>&amp;Buscar actualizaciones</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&amp;About Software</source>
        <translation>Acerca del &amp;programa</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Donate</source>
        <translation>&amp;Donar</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Make Money &amp;Online</source>
        <translation>Ganar dinero en &amp;línea</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <location filename="../quiz/frmMain.ui" line="+167"/>
        <source>Tressora calculates your chances of losing your hair based on your age and level of stress. Take the quiz now to know your chances of going bald.</source>
        <translation>Tressora calcula tus probabilidades de perder el pelo según tu edad y tu nivel de estrés. Haz el test ahora y descubre si la calvicie te acecha.</translation>
    </message>
    <message>
        <location line="+98"/>
        <source>Co-brand this software for your site.  Increase loyalty and traffic to your site. Put your site&apos;s name &amp;  link here. See &quot;Help&quot; for details.    Click Here for more info on co-branding.</source>
        <translation>Personaliza este programa con tu web: más fidelidad y más visitas. Pon aquí el nombre y el enlace de tu sitio. Detalles en «Ayuda». Haz clic aquí para saber más.</translation>
    </message>
    <message>
        <location line="+89"/>
        <source>Home Business Opportunity. Start your own Internet business and make money online. Get this software fully branded for your website. Click here for more details.</source>
        <translation>Negocio desde casa: monta tu propio negocio en Internet y gana dinero en línea. Consigue este programa totalmente con la marca de tu web. Haz clic aquí para más detalles.</translation>
    </message>
    <message>
        <location line="+66"/>
        <location line="+963"/>
        <source>E&amp;xit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <location line="-927"/>
        <source>Select Your Current Stage of Hair Growth/Loss</source>
        <translation>Elige tu fase actual de crecimiento o caída del pelo</translation>
    </message>
    <message>
        <location line="+48"/>
        <source>P.S This Quiz has been created only for entertainment purpose</source>
        <translation>P. D.: Este test se ha creado solo para entretener.</translation>
    </message>
    <message>
        <location line="+164"/>
        <source>Full Head of Hair</source>
        <translation>Pelo abundante</translation>
    </message>
    <message>
        <location line="+48"/>
        <source>Hairline has begun to recede </source>
        <translation>Las entradas empiezan a notarse</translation>
    </message>
    <message>
        <location line="+48"/>
        <source>Hairline has receded and thin hair on top of head</source>
        <translation>Entradas marcadas y poco pelo en la coronilla</translation>
    </message>
    <message>
        <location line="+48"/>
        <source>Significant thin or bald hair on top/back of head</source>
        <translation>Coronilla muy despoblada o calva</translation>
    </message>
    <message>
        <location line="+48"/>
        <source>Complete hair loss on top of head.Only sides remain </source>
        <translation>Calvicie total en lo alto; solo queda pelo a los lados</translation>
    </message>
    <message>
        <location line="+76"/>
        <source>Calculate My Hair Loss</source>
        <translation>Calcular mi caída de pelo</translation>
    </message>
    <message>
        <location line="+64"/>
        <location line="+122"/>
        <source>Level of Stress</source>
        <translation>Nivel de estrés</translation>
    </message>
    <message>
        <location line="-68"/>
        <location line="+84"/>
        <source>Sex</source>
        <translation>Sexo</translation>
    </message>
    <message>
        <location line="-30"/>
        <location line="+46"/>
        <source>Age</source>
        <translation>Edad</translation>
    </message>
    <message>
        <location line="+72"/>
        <source>Family History</source>
        <translation>Antecedentes familiares</translation>
    </message>
    <message>
        <location line="+46"/>
        <source>My Paternal Grandfather has the problem of baldness</source>
        <translation>Mi abuelo paterno es calvo</translation>
    </message>
    <message>
        <location line="+40"/>
        <source>My Maternal Grandfather has the problem of baldness</source>
        <translation>Mi abuelo materno es calvo</translation>
    </message>
    <message>
        <location line="+40"/>
        <source>My Father has the problem of baldness</source>
        <translation>Mi padre es calvo</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>&amp;Help</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>&amp;Online Help</source>
        <translation>Ayuda en &amp;línea</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Visit Us Online</source>
        <translation>&amp;Visitar nuestra web</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&amp;Check for Software Update</source>
        <translation>&amp;Buscar actualizaciones</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&amp;About Software</source>
        <translation>Acerca del &amp;programa</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Donate</source>
        <translation>&amp;Donar</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Make Money &amp;Online</source>
        <translation>Ganar dinero en &amp;línea</translation>
    </message>
</context>
<context>
    <name>frmNagScreen2</name>
    <message>
        <location filename="../outreach/frmNagScreen2.ui" line="+51"/>
        <source>E&amp;xit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <location line="+51"/>
        <source>Click Here To Visit Orvane Now</source>
        <translation>Haz clic aquí para visitar Orvane ahora</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Program icon</source>
        <translation>Icono del programa</translation>
    </message>
    <message>
        <location line="+126"/>
        <source>Refer A Friend</source>
        <translation>Recomendar a un amigo</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+11"/>
        <source>Your Name</source>
        <translation>Tu nombre</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Refer A Friend &amp;Now</source>
        <translation>Recomendar &amp;ahora</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+11"/>
        <source>Your Email Address</source>
        <translation>Tu correo electrónico</translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+11"/>
        <source>Friend&apos;s Email Address</source>
        <translation>Correo de tu amigo</translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+11"/>
        <source>Friend&apos;s Name</source>
        <translation>Nombre de tu amigo</translation>
    </message>
    <message>
        <location line="+89"/>
        <source>Download Orvane Softwares</source>
        <translation>Descarga programas Orvane</translation>
    </message>
    <message>
        <location line="+44"/>
        <source>Discover the other free programs from Orvane Softwares. Orvane offers a wide catalogue of programs for work, for learning and for play, with something for everyone.                                                             Every one of them is simple, fun and informative, so try them out and share them with your friends and family. </source>
        <translation>Descubre los demás programas gratuitos de Orvane Softwares. Orvane ofrece un amplio catálogo de programas para trabajar, aprender y jugar, con algo para todos.
Todos son sencillos, divertidos e informativos: pruébalos y compártelos con tus amigos y tu familia.</translation>
    </message>
    <message>
        <location line="+58"/>
        <source>Click Here To Visit Orvane Softwares</source>
        <translation>Visita Orvane Softwares</translation>
    </message>
    <message>
        <location line="-186"/>
        <location filename="../outreach/referral.cpp" line="+16"/>
        <source>Your Message</source>
        <translation>Tu mensaje</translation>
    </message>
</context>
<context>
    <name>tressora::QuizWindow</name>
    <message>
        <location filename="../quiz/quizwindow.cpp" line="+13"/>
        <source>The Most Popular Online Orvane Discussion Board. Best Resource For Everything Orvane. Visit %1 Now</source>
        <translation>El foro de debate sobre Orvane más popular de Internet. El mejor recurso para todo lo relacionado con Orvane. Visita %1 ahora</translation>
    </message>
</context>
<context>
    <name>tressora::Referral</name>
    <message>
        <location filename="../outreach/referral.cpp" line="+38"/>
        <source>Please Enter Distinct Email Addresses</source>
        <translation>Escribe dos direcciones de correo distintas</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+2"/>
        <source>Please Enter Proper Email Address</source>
        <translation>Escribe una dirección de correo válida</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Please Enter Your Name</source>
        <translation>Escribe tu nombre</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Please Enter Your Email</source>
        <translation>Escribe tu correo electrónico</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Please Enter Your Message</source>
        <translation>Escribe tu mensaje</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Please Enter Your Friend&apos;s Name</source>
        <translation>Escribe el nombre de tu amigo</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Please Enter Your Friend&apos;s Email</source>
        <translation>Escribe el correo de tu amigo</translation>
    </message>
</context>
<context>
    <name>tressora::Scoring</name>
    <message>
        <location filename="../quiz/scoring.cpp" line="+63"/>
        <source>Not Likely</source>
        <translation>Poco probable</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Quite Possibly</source>
        <translation>Bastante posible</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Most Likely</source>
        <translation>Muy probable</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>For Sure</source>
        <translation>Sin duda</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>No Stress</source>
        <translation>Sin estrés</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Little Stress</source>
        <translation>Poco estrés</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>More Than Little Stress</source>
        <translation>Algo de estrés</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Moderate Stress</source>
        <translation>Estrés moderado</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>High Stress</source>
        <translation>Estrés alto</translation>
    </message>
</context>
<context>
    <name>tressora::StartProgram</name>
    <message>
        <location filename="../app/application.cpp" line="+89"/>
        <source>Application is already running</source>
        <translation>El programa ya se está ejecutando</translation>
    </message>
</context>
<context>
    <name>tressora::UpdatePrompt</name>
    <message>
        <location filename="../outreach/updateschedule.cpp" line="+91"/>
        <source>There maybe an update to this software available<byte value="xd"/>Do you want to check for an update?</source>
        <translation>Puede que haya una actualización disponible para este programa.<byte value="xd"/>¿Quieres comprobar si hay una actualización?</translation>
    </message>
</context>
<context>
    <name>tressora::frmAbout</name>
    <message>
        <location filename="../about/frmAbout.cpp" line="+26"/>
        <source>Click here to visit %1</source>
        <translation>Haz clic aquí para visitar %1</translation>
    </message>
</context>
<context>
    <name>tressora::frmMain</name>
    <message>
        <location filename="../quiz/frmMain.cpp" line="+57"/>
        <source>Male</source>
        <translation>Hombre</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Female</source>
        <translation>Mujer</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>female</source>
        <comment>picture set</comment>
        <translation>femenina</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>male</source>
        <comment>picture set</comment>
        <translation>masculina</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Head picture, %1 set: %2</source>
        <translation>Imagen de cabeza, serie %1: %2</translation>
    </message>
</context>
<context>
    <name>tressora::frmNagScreen2</name>
    <message>
        <location filename="../outreach/frmNagScreen2.cpp" line="+19"/>
        <source>Orvane Softwares, such as this can be created and maintained only with your support. The best way to support Orvane is to visit Orvane regularly and take part in the discussions and other activities on the board.</source>
        <translation>Programas de Orvane Softwares como este solo pueden crearse y mantenerse con tu apoyo. La mejor forma de apoyar a Orvane es visitar Orvane a menudo y participar en los debates y demás actividades del foro.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Visit Orvane regularly. Support Orvane by taking part in the discussions and other activities. These softwares cannot be supported and maintained, without you regularly visiting Orvane</source>
        <translation>Visita Orvane a menudo. Apoya a Orvane participando en los debates y demás actividades. Sin tus visitas habituales a Orvane, estos programas no pueden recibir soporte ni mantenimiento.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Orvane is a FREE online discussion forum for all things Orvane. To help Orvane develop and maintain this software visit Orvane regularly.</source>
        <translation>Orvane es un foro de debate en línea GRATUITO sobre todo lo relacionado con Orvane. Para ayudar a Orvane a desarrollar y mantener este programa, visita Orvane a menudo.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Orvane needs your help. All you need to do is visit Orvane regularly and take part in the various discussions and activites to help us maintain and develop more Orvane Softwares.</source>
        <translation>Orvane necesita tu ayuda. Solo tienes que visitar Orvane a menudo y participar en los debates y actividades para ayudarnos a mantener y desarrollar más programas de Orvane Softwares.</translation>
    </message>
    <message>
        <location line="+175"/>
        <source>Email Address Cannot Contain Space</source>
        <translation>La dirección de correo no puede contener espacios</translation>
    </message>
</context>
</TS>
