<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="es">
<context>
    <name>CAboutDialog</name>
    <message>
        <source>Acerca de Zelmora</source>
        <translation>About Zelmora</translation>
    </message>
    <message>
        <source>Aceptar</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CAvisoPage</name>
    <message>
        <source>Aviso</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Los ficheros que se carguen con una dirección
absoluta (c:\patt.duma) se guardarán solo su nombre
y al volver a abrir el fichero en otro ordenador
es posible que no funcione la aplicación correctamente</source>
        <translation>Files loaded with an absolute path
(c:\patt.duma) are saved by their name only,
so when the file is opened again on another computer
the application may not work correctly</translation>
    </message>
</context>
<context>
    <name>CCameraChoiceDialog</name>
    <message>
        <source>Elegir cámara</source>
        <translation>Choose Camera</translation>
    </message>
    <message>
        <source>Cámaras y tamaños</source>
        <translation>Cameras and sizes</translation>
    </message>
    <message>
        <source>Cámara / tamaño</source>
        <translation>Camera / size</translation>
    </message>
    <message>
        <source>Imágenes por segundo</source>
        <translation>Frames per second</translation>
    </message>
    <message>
        <source>Elija un tamaño de una cámara.</source>
        <translation>Choose a size of a camera.</translation>
    </message>
</context>
<context>
    <name>CGeneralPage</name>
    <message>
        <source>General</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Configuración Video</source>
        <translation>Video Configuration</translation>
    </message>
    <message>
        <source>Calibración Cámara</source>
        <translation>Camera Calibration</translation>
    </message>
    <message>
        <source>Umbral Automático</source>
        <translation>Automatic Threshold</translation>
    </message>
    <message>
        <source>Umbral adaptativo</source>
        <translation>Adaptive threshold</translation>
    </message>
    <message>
        <source>Cada punto se compara con la luz de su entorno: encuentra los marcadores en sombra y con luz desigual</source>
        <translation>Each point is compared with the light around it: finds markers in shadow and under uneven light</translation>
    </message>
    <message>
        <source>Valor</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Vista Única</source>
        <translation>Single View</translation>
    </message>
    <message>
        <source>Zoom Vistas</source>
        <translation>View Zoom</translation>
    </message>
    <message>
        <source>Grabar relación de patrones</source>
        <translation>Record pattern relations</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>Elegir cámara</source>
        <translation>Choose Camera</translation>
    </message>
    <message>
        <source>Guarde el proyecto antes de elegir la cámara: su configuración de vídeo se escribe en la carpeta del proyecto.</source>
        <translation>Save the project before choosing the camera: its video configuration is written into the project&apos;s folder.</translation>
    </message>
    <message>
        <source>No se ha encontrado ninguna cámara. Conecte una y vuelva a intentarlo.</source>
        <translation>No camera was found. Connect one and try again.</translation>
    </message>
    <message>
        <source>No se puede escribir la configuración de vídeo.</source>
        <translation>Cannot write the video configuration.</translation>
    </message>
    <message>
        <source>Todos los archivos (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>Vista del editor</source>
        <translation>Editor view</translation>
    </message>
    <message>
        <source>Abrir</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>No se puede abrir el proyecto.</source>
        <translation>Cannot open the project.</translation>
    </message>
    <message>
        <source>Guardar como</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>No se puede guardar el proyecto.</source>
        <translation>Cannot save the project.</translation>
    </message>
    <message>
        <source>¿Desea guardar los cambios de %1?</source>
        <translation>Do you want to save the changes to %1?</translation>
    </message>
    <message>
        <source>Menú principal</source>
        <translation>Main menu</translation>
    </message>
    <message>
        <source>&amp;Archivo</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Nuevo</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>&amp;Abrir...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>&amp;Guardar</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>Guardar &amp;como...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>Archivo reciente</source>
        <translation>Recent File</translation>
    </message>
    <message>
        <source>&amp;Salir</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>Proyecto</source>
        <translation>Project</translation>
    </message>
    <message>
        <source>Capturar</source>
        <translation>Capture</translation>
    </message>
    <message>
        <source>Parar Captura</source>
        <translation>Stop Capture</translation>
    </message>
    <message>
        <source>Grabar vídeo...</source>
        <translation>Record Video...</translation>
    </message>
    <message>
        <source>Parar grabación</source>
        <translation>Stop Recording</translation>
    </message>
    <message>
        <source>Guardar imagen...</source>
        <translation>Save Image...</translation>
    </message>
    <message>
        <source>Elegir cámara...</source>
        <translation>Choose Camera...</translation>
    </message>
    <message>
        <source>Propiedades</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>Ay&amp;uda</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;Acerca de Zelmora...</source>
        <translation>&amp;About Zelmora...</translation>
    </message>
    <message>
        <source>&amp;Edición</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>&amp;Deshacer</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>&amp;Rehacer</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>Abrir este documento</source>
        <translation>Open this document</translation>
    </message>
    <message>
        <source>Guardar imagen</source>
        <translation>Save Image</translation>
    </message>
    <message>
        <source>Imágenes PNG (*.png)</source>
        <translation>PNG images (*.png)</translation>
    </message>
    <message>
        <source>La imagen se guarda en formato PNG: el nombre debe terminar en .png (%1)</source>
        <translation>The image is saved as PNG: the name must end in .png (%1)</translation>
    </message>
    <message>
        <source>la vista aún no tiene imagen</source>
        <translation>the view has no picture yet</translation>
    </message>
    <message>
        <source>no se puede codificar en PNG</source>
        <translation>it cannot be encoded as PNG</translation>
    </message>
    <message>
        <source>No se puede guardar la imagen %1: %2</source>
        <translation>Cannot save the image %1: %2</translation>
    </message>
    <message>
        <source>Grabar vídeo</source>
        <translation>Record Video</translation>
    </message>
    <message>
        <source>Vídeo WebM (*.webm)</source>
        <translation>WebM video (*.webm)</translation>
    </message>
    <message>
        <source>Barra de estado</source>
        <translation>Status bar</translation>
    </message>
    <message>
        <source>No se puede guardar la copia de seguridad: %1</source>
        <translation>Cannot save the backup copy: %1</translation>
    </message>
    <message>
        <source>Copia de seguridad</source>
        <translation>Backup copy</translation>
    </message>
    <message>
        <source>Hay una copia de seguridad más reciente de este proyecto. ¿Restaurarla?</source>
        <translation>There is a more recent backup copy of this project. Restore it?</translation>
    </message>
    <message>
        <source>Restaurar</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>Descartar</source>
        <translation>Discard</translation>
    </message>
    <message>
        <source>Se ha borrado.</source>
        <translation>It has been deleted.</translation>
    </message>
    <message>
        <source>Se ha apartado como %1.</source>
        <translation>It has been set aside as %1.</translation>
    </message>
    <message>
        <source>La copia de seguridad está dañada y no se puede restaurar; el proyecto sigue como estaba.
%1
%2</source>
        <translation>The backup copy is damaged and cannot be restored; the project is as it was.
%1
%2</translation>
    </message>
    <message>
        <source>Preparando la demo (marcadores, modelos y vídeo)...</source>
        <translation>Preparing the demo (markers, models and video)...</translation>
    </message>
    <message>
        <source>Abrir demo</source>
        <translation>Open demo</translation>
    </message>
    <message>
        <source>No se puede preparar la demo en %1.
%2</source>
        <translation>Cannot prepare the demo in %1.
%2</translation>
    </message>
    <message>
        <source>Soltar ficheros</source>
        <translation>Drop files</translation>
    </message>
    <message>
        <source>Publicar en la web...</source>
        <translation>Publish to the web...</translation>
    </message>
    <message>
        <source>Publicar en la web</source>
        <translation>Publish to the web</translation>
    </message>
    <message>
        <source>Guarde el proyecto antes de publicarlo en la web</source>
        <translation>Save the project before publishing it to the web</translation>
    </message>
    <message>
        <source>Publicando en la web...</source>
        <translation>Publishing to the web...</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>No se puede publicar en la web; no se ha escrito nada.
%1</source>
        <translation>Cannot publish to the web; nothing was written.
%1</translation>
    </message>
    <message>
        <source>El proyecto está publicado en %1.
Los navegadores solo dan la cámara a páginas servidas por HTTPS o desde localhost: súbalo a un servidor web con HTTPS, o pruébelo con &quot;zelmora-cli publish PROYECTO CARPETA --serve&quot;.</source>
        <translation>The project is published in %1.
Browsers only give the camera to pages served over HTTPS or from localhost: upload it to a web server with HTTPS, or try it with &quot;zelmora-cli publish PROJECT FOLDER --serve&quot;.</translation>
    </message>
</context>
<context>
    <name>CModel3DDialog</name>
    <message>
        <source>Modelos 3D (*.3ds *.gltf *.glb *.obj *.fbx *.dae)</source>
        <translation>3D models (*.3ds *.gltf *.glb *.obj *.fbx *.dae)</translation>
    </message>
    <message>
        <source>Todos los ficheros (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>Modelo 3D</source>
        <translation>3D Model</translation>
    </message>
    <message>
        <source>Matriz</source>
        <translation>Matrix</translation>
    </message>
    <message>
        <source>%1, fila %2, columna %3</source>
        <translation>%1, row %2, column %3</translation>
    </message>
    <message>
        <source>Ajustar al marcador</source>
        <translation>Fit to Marker</translation>
    </message>
    <message>
        <source> (esqueleto en postura de reposo)</source>
        <translation> (skeleton in rest pose)</translation>
    </message>
    <message>
        <source>Tamaño en el tracker</source>
        <translation>Size in the tracker</translation>
    </message>
</context>
<context>
    <name>CNavigatorDialogBar</name>
    <message>
        <source>Navegación</source>
        <translation>Navigation</translation>
    </message>
    <message>
        <source>Selección</source>
        <translation>Selection</translation>
    </message>
    <message>
        <source>Editar</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Recargar</source>
        <translation>Reload</translation>
    </message>
    <message>
        <source>Vista Única</source>
        <translation>Single View</translation>
    </message>
    <message>
        <source>Grabar relación entre patrones</source>
        <translation>Record relations between patterns</translation>
    </message>
    <message>
        <source>Zoom de las vistas</source>
        <translation>Zoom of the views</translation>
    </message>
    <message>
        <source>Vista de los botones</source>
        <translation>View of the buttons</translation>
    </message>
    <message>
        <source>Planta</source>
        <translation>Top</translation>
    </message>
    <message>
        <source>Perfil</source>
        <translation>Side</translation>
    </message>
    <message>
        <source>Alzado</source>
        <translation>Front</translation>
    </message>
    <message>
        <source>Trasladar</source>
        <translation>Move</translation>
    </message>
    <message>
        <source>Arriba</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>Izquierda</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>Abajo</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>Derecha</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>Escalar</source>
        <translation>Scale</translation>
    </message>
    <message>
        <source>Menos</source>
        <translation>Smaller</translation>
    </message>
    <message>
        <source>Más</source>
        <translation>Larger</translation>
    </message>
    <message>
        <source>Rotar</source>
        <translation>Rotate</translation>
    </message>
    <message>
        <source>Rotar Antihorario</source>
        <translation>Rotate Counterclockwise</translation>
    </message>
    <message>
        <source>Rotar Horario</source>
        <translation>Rotate Clockwise</translation>
    </message>
    <message>
        <source>Navegador</source>
        <translation>Navigator</translation>
    </message>
    <message>
        <source>Proyecto</source>
        <translation>Project</translation>
    </message>
    <message>
        <source>Tracker &apos;</source>
        <translation>Tracker &apos;</translation>
    </message>
    <message>
        <source>Patrón &apos;</source>
        <translation>Pattern &apos;</translation>
    </message>
    <message>
        <source>Modelo3D &apos;</source>
        <translation>3D Model &apos;</translation>
    </message>
    <message>
        <source>Paso</source>
        <translation>Step</translation>
    </message>
    <message>
        <source>Giro</source>
        <translation>Turn</translation>
    </message>
</context>
<context>
    <name>CPatternDialog</name>
    <message>
        <source>Patrón</source>
        <translation>Pattern</translation>
    </message>
    <message>
        <source>Ancho</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>Número patrones</source>
        <translation>Number of patterns</translation>
    </message>
    <message>
        <source>Diferencia aceptable</source>
        <translation>Acceptable difference</translation>
    </message>
    <message>
        <source>Filtro</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Suavizado en reposo</source>
        <translation>Smoothing at rest</translation>
    </message>
    <message>
        <source>Respuesta al movimiento</source>
        <translation>Response to movement</translation>
    </message>
    <message>
        <source>Media de los últimos fotogramas</source>
        <translation>Average of the last frames</translation>
    </message>
    <message>
        <source>Adaptativo</source>
        <translation>Adaptive</translation>
    </message>
    <message>
        <source>El filtro adaptativo suaviza más cuanto más quieto está el marcador y sigue su movimiento sin retraso. Suavizado en reposo (Hz): más bajo, modelo más quieto con el marcador parado. Respuesta al movimiento: más alta, menos retraso cuando el marcador se mueve.</source>
        <translation>The adaptive filter smooths more the stiller the marker is, and follows its movement without lag. Smoothing at rest (Hz): lower keeps the model stiller while the marker stands still. Response to movement: higher means less lag while the marker moves.</translation>
    </message>
</context>
<context>
    <name>CPatternRegistry</name>
    <message>
        <source>El patrón &apos;%1&apos; se repite en varios Trackers con anchos diferentes. Se utilizará el ancho &apos;%2&apos;</source>
        <translation>The pattern &apos;%1&apos; appears in several Trackers with different widths. The width &apos;%2&apos; will be used</translation>
    </message>
    <message>
        <source>Aviso</source>
        <translation>Warning</translation>
    </message>
</context>
<context>
    <name>CPlacementFieldsPanel</name>
    <message>
        <source>Posición</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Rotación (grados)</source>
        <translation>Rotation (degrees)</translation>
    </message>
    <message>
        <source>Giros sobre los ejes del tracker, en este orden: primero X, luego Y, luego Z. Con Y en 90 o -90 grados, el giro en Z se muestra como 0.</source>
        <translation>Turns about the tracker&apos;s axes, in this order: first X, then Y, then Z. With Y at 90 or -90 degrees, the Z turn shows as 0.</translation>
    </message>
    <message>
        <source>Escala</source>
        <translation>Scale</translation>
    </message>
    <message>
        <source>La matriz no es una traslación, rotación y escala uniforme que quepa en estos campos: edítela en el diálogo del modelo.</source>
        <translation>The matrix is not a translation, rotation and uniform scale that fits these fields: edit it in the model&apos;s dialog.</translation>
    </message>
</context>
<context>
    <name>CPropertiesSheet</name>
    <message>
        <source>Propiedades del proyecto</source>
        <translation>Project Properties</translation>
    </message>
    <message>
        <source>Aviso</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>General</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Trackers</source>
        <translation>Trackers</translation>
    </message>
    <message>
        <source>Aceptar</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CQtMessages</name>
    <message>
        <source>Aceptar</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Sí</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Guardar</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Descartar</source>
        <translation>Discard</translation>
    </message>
</context>
<context>
    <name>CTrackerDialog</name>
    <message>
        <source>
- se ve casi igual girado un cuarto o media vuelta (correlación %1): sus marcadores se leerán mal girados.</source>
        <translation>
- looks almost the same turned a quarter or half turn (correlation %1): its markers will be read turned wrongly.</translation>
    </message>
    <message>
        <source>
- tiene muy poco contraste: se confundirá con superficies lisas.</source>
        <translation>
- has very little contrast: it will be mistaken for plain surfaces.</translation>
    </message>
    <message>
        <source>
- tiene muy poco detalle (un %1 % es un degradado): se confundirá con superficies lisas mal iluminadas.</source>
        <translation>
- has very little detail (%1 % of it is a gradient): it will be mistaken for poorly lit plain surfaces.</translation>
    </message>
    <message>
        <source>
- se parece demasiado al patrón &apos;%1&apos; (correlación %2): uno se leerá como el otro.</source>
        <translation>
- is too similar to the pattern &apos;%1&apos; (correlation %2): one will be read as the other.</translation>
    </message>
    <message>
        <source>El patrón &apos;%1&apos;:</source>
        <translation>The pattern &apos;%1&apos;:</translation>
    </message>
    <message>
        <source>Aviso</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Tracker</source>
        <translation>Tracker</translation>
    </message>
    <message>
        <source>Nombre</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Patrones</source>
        <translation>Patterns</translation>
    </message>
    <message>
        <source>Modelos 3D</source>
        <translation>3D Models</translation>
    </message>
    <message>
        <source>Patrón Referencia</source>
        <translation>Reference Pattern</translation>
    </message>
    <message>
        <source>Fichero</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Ancho</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>Nuevo</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Eliminar</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>el patrón</source>
        <translation>the pattern</translation>
    </message>
    <message>
        <source>el modelo 3D</source>
        <translation>the 3D model</translation>
    </message>
</context>
<context>
    <name>CTrackersPage</name>
    <message>
        <source>Trackers</source>
        <translation>Trackers</translation>
    </message>
    <message>
        <source>Nombre</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Nuevo</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Eliminar</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>el tracker</source>
        <translation>the tracker</translation>
    </message>
</context>
<context>
    <name>CZelmoraDoc</name>
    <message>
        <source>Camara</source>
        <translation>Camera</translation>
    </message>
    <message>
        <source>Guarde el proyecto antes de iniciar su ejecución</source>
        <translation>Save the project before running it</translation>
    </message>
    <message>
        <source>Aviso</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>No hay configuración</source>
        <translation>There is no configuration</translation>
    </message>
    <message>
        <source>No se puede abrir la fuente de vídeo &apos;%1&apos;: %2</source>
        <translation>Cannot open the video source &apos;%1&apos;: %2</translation>
    </message>
    <message>
        <source>No se puede cargar la calibración de la cámara: %1</source>
        <translation>Cannot load the camera calibration: %1</translation>
    </message>
    <message>
        <source>No se puede mostrar el vídeo: %1</source>
        <translation>Cannot show the video: %1</translation>
    </message>
    <message>
        <source>La captura se ha detenido: %1</source>
        <translation>The capture has stopped: %1</translation>
    </message>
    <message>
        <source>Grabar vídeo</source>
        <translation>Record Video</translation>
    </message>
    <message>
        <source> fotograma</source>
        <translation> frame</translation>
    </message>
    <message>
        <source> fotogramas</source>
        <translation> frames</translation>
    </message>
    <message>
        <source>Inicie la captura antes de grabar vídeo</source>
        <translation>Start the capture before recording video</translation>
    </message>
    <message>
        <source>El vídeo se graba en formato WebM: el nombre debe terminar en .webm (%1)</source>
        <translation>The video is recorded as WebM: the name must end in .webm (%1)</translation>
    </message>
    <message>
        <source>No se puede grabar en %1: %2</source>
        <translation>Cannot record to %1: %2</translation>
    </message>
    <message>
        <source>La grabación se ha detenido: %1
%2 conserva %3.</source>
        <translation>The recording has stopped: %1
%2 keeps %3.</translation>
    </message>
    <message>
        <source>Vídeo guardado en %1: %2, %3 descartados.</source>
        <translation>Video saved to %1: %2, %3 dropped.</translation>
    </message>
    <message>
        <source>El proyecto guarda ajustes de una versión más reciente del programa (versión %1); se abre con los ajustes de siempre</source>
        <translation>The project holds settings from a newer version of the program (version %1); it opens with the usual settings</translation>
    </message>
</context>
<context>
    <name>CZelmoraView</name>
    <message>
        <source>Proyecto vacío: añada un tracker en Propiedades &gt; Trackers, o arrastre aquí un modelo o una imagen.</source>
        <translation>Empty project: add a tracker in Properties &gt; Trackers, or drop a model or a picture here.</translation>
    </message>
</context>
<context>
    <name>DialogControls</name>
    <message>
        <source>Aceptar</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Nombre</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Fichero</source>
        <translation>File</translation>
    </message>
</context>
<context>
    <name>FieldChecks</name>
    <message>
        <source>Introduzca un número entero entre %1 y %2.</source>
        <translation>Enter a whole number between %1 and %2.</translation>
    </message>
    <message>
        <source>Introduzca un número.</source>
        <translation>Enter a number.</translation>
    </message>
    <message>
        <source>Introduzca un número entre %1 y %2.</source>
        <translation>Enter a number between %1 and %2.</translation>
    </message>
    <message>
        <source>¿Desea eliminar %1 &apos;%2&apos;?</source>
        <translation>Do you want to delete %1 &apos;%2&apos;?</translation>
    </message>
    <message>
        <source>Eliminar</source>
        <translation>Delete</translation>
    </message>
</context>
<context>
    <name>FileBrowse</name>
    <message>
        <source>Abrir</source>
        <translation>Open</translation>
    </message>
</context>
<context>
    <name>FileDrop</name>
    <message>
        <source>No se puede usar &apos;%1&apos;: %2. No se ha cambiado nada.</source>
        <translation>Cannot use &apos;%1&apos;: %2. Nothing has been changed.</translation>
    </message>
    <message>
        <source>no se puede leer</source>
        <translation>it cannot be read</translation>
    </message>
    <message>
        <source>no es un fichero de patrón válido (el valor %1 de %2 falta o no es un entero de 0 a 255)</source>
        <translation>it is not a valid pattern file (value %1 of %2 is missing or not an integer from 0 to 255)</translation>
    </message>
    <message>
        <source>no existe o no es un fichero</source>
        <translation>it does not exist or is not a file</translation>
    </message>
    <message>
        <source>Guarde el proyecto antes de convertir &apos;%1&apos; en un marcador: su patrón y su imagen imprimible se escriben en la carpeta del proyecto. No se ha cambiado nada.</source>
        <translation>Save the project before making &apos;%1&apos; into a marker: its pattern and its printable picture are written into the project&apos;s folder. Nothing has been changed.</translation>
    </message>
    <message>
        <source>un proyecto se abre solo: suéltelo sin otros ficheros</source>
        <translation>a project opens on its own: drop it without other files</translation>
    </message>
    <message>
        <source>no es un modelo 3D, un fichero de patrón, una imagen ni un proyecto</source>
        <translation>it is not a 3D model, a pattern file, a picture or a project</translation>
    </message>
    <message>
        <source>no queda un nombre libre en la carpeta del proyecto</source>
        <translation>there is no free name left in the project&apos;s folder</translation>
    </message>
    <message>
        <source>No se ha soltado ningún fichero.</source>
        <translation>No file was dropped.</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>%1 es demasiado grande para ser una configuración de vídeo</source>
        <translation>%1 is too large to be a video configuration</translation>
    </message>
    <message>
        <source>la imagen de %1 x %2 no cabe en una textura de OpenGL</source>
        <translation>the %1 x %2 picture does not fit in an OpenGL texture</translation>
    </message>
    <message>
        <source>la configuración no describe una cadena de vídeo</source>
        <translation>the configuration does not describe a video pipeline</translation>
    </message>
    <message>
        <source>la fuente de vídeo no se puede poner en marcha</source>
        <translation>the video source cannot be started</translation>
    </message>
    <message>
        <source>la fuente de vídeo no ha dado ninguna imagen</source>
        <translation>the video source has given no picture</translation>
    </message>
    <message>
        <source>no se puede crear el codificador de vídeo: %1</source>
        <translation>cannot create the video encoder: %1</translation>
    </message>
    <message>
        <source>%1 no contiene ninguna fuente de vídeo</source>
        <translation>%1 contains no video source</translation>
    </message>
    <message>
        <source>la fuente de vídeo no se puede abrir</source>
        <translation>the video source cannot be opened</translation>
    </message>
    <message>
        <source>la grabación no terminó a tiempo</source>
        <translation>the recording did not finish in time</translation>
    </message>
    <message>
        <source>no se puede iniciar la grabación</source>
        <translation>the recording cannot be started</translation>
    </message>
    <message>
        <source>el codificador de vídeo no avanza</source>
        <translation>the video encoder does not advance</translation>
    </message>
    <message>
        <source>la fuente de vídeo ha terminado</source>
        <translation>the video source has ended</translation>
    </message>
    <message>
        <source>formato de vídeo desconocido</source>
        <translation>unknown video format</translation>
    </message>
    <message>
        <source>el vídeo no tiene tamaño</source>
        <translation>the video has no size</translation>
    </message>
    <message>
        <source>no se puede leer %1: %2</source>
        <translation>cannot read %1: %2</translation>
    </message>
    <message>
        <source>No hay configuración</source>
        <translation>There is no configuration</translation>
    </message>
    <message>
        <source>error de GStreamer</source>
        <translation>GStreamer error</translation>
    </message>
    <message>
        <source>error de vídeo</source>
        <translation>video error</translation>
    </message>
</context>
</TS>
