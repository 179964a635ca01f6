INSERT INTO `ps_feature_value_lang` (`id_feature_value`,`id_lang`,`value`) VALUES (1,1,'Front Axle'),(1,2,'Vorderachse'),(1,3,'Передняя ось');
INSERT INTO `ps_feature_value_lang` (`id_feature_value`,`id_lang`,`value`) VALUES (2,1,'80'),(2,2,'80'),(2,3,'80');
INSERT INTO `ps_feature_value_lang` (`id_feature_value`,`id_lang`,`value`) VALUES (3,1,'93'),(3,2,'93'),(3,3,'93');
INSERT INTO `ps_feature_value_lang` (`id_feature_value`,`id_lang`,`value`) VALUES (4,1,'M 20 X 1.5'),(4,2,'M 20 X 1.5'),(4,3,'M 20 X 1.5');
INSERT INTO `ps_feature_value_lang` (`id_feature_value`,`id_lang`,`value`) VALUES (5,1,'76'),(5,2,'76'),(5,3,'76');
