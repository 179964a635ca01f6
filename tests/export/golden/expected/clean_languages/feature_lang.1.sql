INSERT INTO `ps_feature_lang` (`id_feature`,`id_lang`,`name`) VALUES (4,1,'Height [mm]'),(4,2,'Höhe [mm]'),(4,3,'');
INSERT INTO `ps_feature_lang` (`id_feature`,`id_lang`,`name`) VALUES (1,1,'Ø [mm]'),(1,2,'Ø [mm]'),(1,3,'Ø [mm]');
INSERT INTO `ps_feature_lang` (`id_feature`,`id_lang`,`name`) VALUES (3,1,'Front Axle'),(3,2,'Vorderachse'),(3,3,'Передняя ось');
INSERT INTO `ps_feature_lang` (`id_feature`,`id_lang`,`name`) VALUES (2,1,'Thread Size'),(2,2,'Gewindemaß'),(2,3,'');
